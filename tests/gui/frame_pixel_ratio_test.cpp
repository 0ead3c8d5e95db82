// The main window on a scaled desktop (Qt's device pixel ratio; QT_SCALE_FACTOR stands in for
// a 150% or 200% desktop under the offscreen platform): the layout keeps its size in units,
// and the painted panel, its icons and the band's title are drawn with the device's pixels,
// not enlarged from a picture of the logical size.
//
// Runs at QT_SCALE_FACTOR=2 unless the environment gives another factor (the test list runs
// it at 1.5 too, and at 1.5 with LEXICOVE_SCALE=2).

#include <QApplication>
#include <QTest>

#include "app/settings_store.h"
#include "support/frame_test_support.h"

namespace {

// True when the area of a picture drawn at ratio holds detail finer than a logical pixel:
// some logical pixel's device pixels differ. A picture enlarged from the logical size has
// every logical pixel in one colour.
bool HasDeviceDetail(const QImage& image, const QRect& logical, qreal ratio) {
    for (int y = logical.top(); y <= logical.bottom(); ++y) {
        for (int x = logical.left(); x <= logical.right(); ++x) {
            const QRect device(QPoint(qCeil(x * ratio), qCeil(y * ratio)),
                               QPoint(qCeil((x + 1) * ratio) - 1, qCeil((y + 1) * ratio) - 1));
            const QRgb first = image.pixel(device.topLeft());
            for (int dy = device.top(); dy <= device.bottom(); ++dy) {
                for (int dx = device.left(); dx <= device.right(); ++dx) {
                    if (image.pixel(dx, dy) != first) {
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

}  // namespace

class FramePixelRatioTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    qreal ratio_ = 1.0;

  private slots:
    void initTestCase() {
        SetUpHome();
        database_ = OpenGlossedDictionary(home_.Path());
        QVERIFY(database_);
        ratio_ = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
        QVERIFY(ratio_ > 1.0);
    }

    void init() {
        settings_.WriteString(SETTINGS_KEY, SETTING_START_WORD, u"hat");
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        QVERIFY(ShowFrame(frame_.get()));
    }

    void cleanup() { CloseFrame(); }

    void layoutKeepsItsUnits() {
        QCOMPARE(frame_->devicePixelRatioF(), ratio_);
        // The desktop's scaling is Qt's: the program's own scale stays 1 (2 only when
        // LEXICOVE_SCALE asks for the doubled handheld layout) and the window is the size
        // asked for in logical pixels.
        const int scale = qEnvironmentVariable("LEXICOVE_SCALE") == QLatin1String("2") ? 2 : 1;
        QCOMPARE(frame_->Layout().Scale(), scale);
        QCOMPARE(frame_->Layout().TabLabel(LIST_FAVORITES).top(), CFrameLayout::TabTop(2) * scale);
        QCOMPARE(frame_->size(), QSize(240, 320));
        const QImage image = frame_->Client()->grab().toImage();
        QCOMPARE(image.size(), (QSizeF(frame_->Client()->size()) * ratio_).toSize());
    }

    void panelIsDrawnAtTheDeviceResolution() {
        frame_->SetView(VIEW_LOOKUP);
        const QImage image = frame_->Client()->grab().toImage();
        const CFrameLayout& layout = frame_->Layout();
        QVERIFY2(HasDeviceDetail(image, layout.TabLabel(LIST_FAVORITES), ratio_), "tab label");
        QVERIFY2(HasDeviceDetail(image, layout.TabIcon(LIST_FAVORITES), ratio_), "tab icon");
    }

    void bandIsDrawnAtTheDeviceResolution() {
        QVERIFY(frame_->ShowWord("hot", false));
        frame_->SetView(VIEW_CONTENT);
        const QImage image = frame_->Client()->grab().toImage();
        const QRect title = frame_->Layout().ContentTitle(frame_->ReadButton().Rect().left());
        QVERIFY2(HasDeviceDetail(image, title, ratio_), "title");
        QVERIFY2(HasDeviceDetail(image, frame_->ReadButton().Rect(), ratio_), "Read button");
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
        qputenv("QT_SCALE_FACTOR", "2");
    }
    QApplication app(argc, argv);
    FramePixelRatioTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "frame_pixel_ratio_test.moc"
