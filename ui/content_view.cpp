#include "ui/content_view.h"

#include <QResizeEvent>
#include <array>
#include <string_view>

#include "platform/platform_info.h"
#include "ui/html_display.h"
#include "ui/html_hook.h"
#include "ui/resource_images.h"

namespace {

struct InlineImageEntry {
    std::string_view name;
    int bitmap;
    int width;  // as the page declares it, in units
    int height;
};

constexpr std::array<InlineImageEntry, 3> kInlineImages = {{
    {"pixel.gif", IDB_PIXEL, 1, 2},
    {"link.gif", IDB_LINK, 19, 7},
    {"pron.gif", IDB_PRON, 10, 9},
}};

}  // namespace

CContentView::CContentView(QWidget* parent)
    : QWidget(parent), display_(new CHtmlDisplay(this)), hook_(new CHtmlHook(display_)) {
    setObjectName(QStringLiteral("contentView"));
    setAccessibleName(QStringLiteral("Content"));
    display_->setAccessibleName(QStringLiteral("Definition"));
    display_->SetImageProvider(&CContentView::InlineImage);
    setFocusProxy(display_);
    connect(display_, &CHtmlDisplay::linkTapped, this, &CContentView::linkTapped);
}

CContentView::~CContentView() = default;

QImage CContentView::InlineImage(const std::string& name) {
    for (const InlineImageEntry& entry : kInlineImages) {
        if (entry.name != name) {
            continue;
        }
        const QImage bitmap = LoadBitmapResource(entry.bitmap);
        if (bitmap.isNull()) {
            return QImage();
        }
        const int scale = GetDisplayScale();
        return bitmap.scaled(entry.width * scale, entry.height * scale, Qt::IgnoreAspectRatio,
                             Qt::FastTransformation);
    }
    return QImage();
}

void CContentView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    display_->setGeometry(0, 0, event->size().width(), event->size().height());
}
