#include "platform/notification_platform.h"

namespace tally {

bool ButtonsAllow(TMessageBoxButtons buttons, TMessageBoxAnswer answer) {
    switch (buttons) {
        case TMessageBoxButtons::Ok:
            return answer == TMessageBoxAnswer::Ok;
        case TMessageBoxButtons::OkCancel:
            return answer == TMessageBoxAnswer::Ok || answer == TMessageBoxAnswer::Cancel;
        case TMessageBoxButtons::YesNo:
            return answer == TMessageBoxAnswer::Yes || answer == TMessageBoxAnswer::No;
        case TMessageBoxButtons::YesNoCancel:
            return answer != TMessageBoxAnswer::Ok;
    }
    return false;
}

}  // namespace tally
