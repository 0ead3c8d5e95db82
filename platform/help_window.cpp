#include "platform/help_window.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/platform_info.h"

namespace {

constexpr char kTitle[] = "Lexicove Help";
constexpr int kWidth = 240;  // the handheld screen, like the main window
constexpr int kHeight = 320;

// The program's own help pages, compiled in (resources/help/).
constexpr char kHelpResourceFolder[] = ":/help/";

QUrl FileUrl(const QString& file) {
    if (file.startsWith(QLatin1String(":/"))) {
        return QUrl(QLatin1String("qrc") + file);
    }
    return QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
}

}  // namespace

CHelpWindow::CHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QString::fromLatin1(kTitle));
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    const int scale = GetDisplayScale();
    resize(kWidth * scale, kHeight * scale);
}

QString CHelpWindow::ResolveHelpFile(const QString& file) {
    if (file.isEmpty() || QFileInfo::exists(file)) {
        return file;
    }
    if (file.contains(QLatin1Char('/'))) {
        return QString();  // a path names a file on disk only
    }
    const QString compiledIn = QLatin1String(kHelpResourceFolder) + file;
    return QFileInfo::exists(compiledIn) ? compiledIn : QString();
}

bool CHelpWindow::ShowHelp(const QString& file, const QString& anchor) {
    const QString path = ResolveHelpFile(file);
    if (path.isEmpty()) {
        return false;
    }
    QUrl url = FileUrl(path);
    if (!anchor.isEmpty()) {
        url.setFragment(anchor);
    }
    browser_->setSource(url);
    show();
    raise();
    activateWindow();
    if (!anchor.isEmpty()) {
        browser_->scrollToAnchor(anchor);  // again, now that the window has its size
    }
    return true;
}

bool CHelpWindow::ParseHelpTarget(const QString& target, QString* file, QString* anchor) {
    static const QLatin1String scheme("file:");
    if (!target.startsWith(scheme)) {
        return false;
    }
    const QString rest = target.mid(scheme.size());
    const qsizetype hash = rest.indexOf(QLatin1Char('#'));
    *file = hash < 0 ? rest : rest.left(hash);
    *anchor = hash < 0 ? QString() : rest.mid(hash + 1);
    return !file->isEmpty();
}
