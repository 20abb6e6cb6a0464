/* K-VOX Developers Kit: the indicator's messages, for programs that follow the layout. */
#ifndef KVOX_H
#define KVOX_H

#define KVOX_INDICATOR_CLASS "K-VOXIndicatorClass"
#define KVOX_KEYBOARD_CLASS  "KVKeybClass"

/* Registered message sent to top-level windows when the layout changes;
   wParam is the new layout's number (1 or 2). */
#define KVOX_LAYOUT_MESSAGE  "KVoxLayoutChanged"

#endif
