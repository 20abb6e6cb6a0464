// What the programs' entry points share.
#pragma once

#ifdef __i386__
// Windows keeps the stack 4-byte aligned; the compiler assumes more.
#define KVOX_ALIGN_STACK __attribute__((force_align_arg_pointer))
#else
#define KVOX_ALIGN_STACK
#endif
