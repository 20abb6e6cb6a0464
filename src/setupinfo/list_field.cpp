// The list-field lookup: member n of a value whose members are separated by one character.
#include "base/message_dialog.h"
#include "base/text.h"
#include "resources/resource_ids.h"
#include "setupinfo/setup_info.h"

namespace {

// Every list the setup reads comes from a value buffer of 1024 characters; the lookup's
// own copy holds any of them whole.
constexpr size_t kListCopySize = 1024;

}  // namespace

int GetListMember(const char* list, int member, char* out, size_t outSize, const char* separator,
                  bool reportErrors) {
    char copy[kListCopySize];
    CopyText(copy, list);
    const char delimiter = separator && separator[0] ? separator[0] : ',';

    int count = member;
    char* begin = copy;
    for (char* cursor = copy;; ++cursor) {
        bool atEnd = *cursor == '\0';
        if (!atEnd && *cursor != delimiter) continue;
        *cursor = '\0';
        if (--count == 0) {
            CopyText(out, outSize, begin);
            return 1;
        }
        if (atEnd) break;
        begin = cursor + 1;
        while (*begin == ' ') ++begin;
        cursor = begin - 1;
    }
    if (reportErrors) ShowMessage(nullptr, MB_ICONHAND, IDS_NO_LIST_MEMBER, member, list);
    return 0;
}
