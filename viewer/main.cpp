#include "FormPrincipal.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Lorimand"));
    // The whole argument text is one path: an unquoted path with blanks arrives as several arguments.
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    FormPrincipal window(arguments.join(QLatin1Char(' ')));
    window.show();
    return application.exec();
}
