#include "ViewerTestSupport.h"

#include <QApplication>

namespace viewertest {

std::string viewFileText(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

QString writeViewFile(const testsupport::TempDir& folder, const std::string& name,
                      std::initializer_list<std::string> lines) {
    const std::string path = folder.file(name);
    testsupport::writeFile(path, viewFileText(lines));
    return QString::fromStdString(path);
}

void ensureApplication() {
    static int argc = 1;
    static char name[] = "viewer_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
}

}  // namespace viewertest
