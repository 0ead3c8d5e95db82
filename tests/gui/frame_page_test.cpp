// The way from Enter in the "Look up:" box to the page in the display: the desktop hands the
// whole page over in one go, without the transfer thread and without sleeping.
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <memory>
#include <string>

#include "app/settings_store.h"
#include "db/dictionary_database.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "render/render_worker.h"
#include "support/fixture_writer.h"
#include "support/frame_test_support.h"
#include "ui/content_view.h"
#include "ui/html_display.h"

namespace {

std::atomic<int> g_sleeps{0};

void CountSleep(int) {
    ++g_sleeps;
}

}  // namespace

class FramePageTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    QStringList errors_;

  private slots:
    void initTestCase() {
        SetUpHome();
        database_ = OpenGlossedDictionary(home_.Path());
        QVERIFY(database_);
    }

    void init() {
        // The page shown at start is a word of the fixture.
        settings_.WriteString(SETTINGS_KEY, SETTING_START_WORD, u"hat");
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        frame_->SetMessageBoxHook([this](const QString& text) { errors_ << text; });
        QVERIFY(ShowFrame(frame_.get(), QSize(1000, 700)));
    }

    void cleanup() { CloseFrame(); }

    void enterHandsTheWholePageOverOnceWithoutSleeping() {
        CRenderWorker* worker = frame_->RenderWorker();
        worker->SetSleepFunction(CountSleep);
        g_sleeps = 0;
        CHtmlDisplay* display = frame_->ContentView()->Display();
        QSignalSpy shown(display, &CHtmlDisplay::pageShown);

        QTest::keyClicks(frame_->LookupEdit(), "hit");
        QTest::keyClick(frame_->LookupEdit(), Qt::Key_Return);
        QTRY_COMPARE(shown.count(), 1);
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join("; ")));
        QVERIFY(!worker->IsBusy());
        QCOMPARE(g_sleeps.load(), 0);
        const std::string page(worker->Page().Data(), worker->Page().Length());
        QCOMPARE(QByteArray::fromStdString(display->PageSource()), QByteArray::fromStdString(page));
        QVERIFY(page.ends_with("</body></html>\r\n"));
        QVERIFY(display->toPlainText().contains("the gloss of hit"));

        // Nothing more arrives for that page.
        QTest::qWait(50);
        QCOMPARE(shown.count(), 1);
    }
};

QTEST_MAIN(FramePageTest)
#include "frame_page_test.moc"
