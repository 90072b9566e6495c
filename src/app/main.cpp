// The desktop program: one main window showing a tape.
#include <QApplication>

#include "foundation/notifications/notifier.h"
#include "platform/deferred_requests.h"
#include "ui/frm_calc.h"
#include "ui/locale_separators.h"
#include "ui/qt_notification_platform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyroll"));
    tally::ApplyLocaleSeparators();

    tally::TDeferredRequestQueue requests;
    tally::QtNotificationPlatform notifications(requests);
    tally::TInstalledNotifier notifier(notifications);
    tally::TfrmCalc window(requests);
    notifications.SetMainWindow(&window);
    window.show();
    return QApplication::exec();
}
