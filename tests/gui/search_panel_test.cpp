#include "frame/search_panel.h"

#include "support/search_panel_fixture.h"

class SearchPanelTest : public QObject, public CSearchPanelFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { SetUpHome(); }
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

    void boxCountFollowsTheWidth_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("boxes");
        QTest::newRow("portrait 240") << kPortraitWidth << 12;
        QTest::newRow("landscape 320") << kLandscapeWidth << 17;
        QTest::newRow("no more than the letters hold") << 2000 << CSearchPanel::MAX_LETTERS;
        QTest::newRow("at least one box") << 20 << 1;
    }
    void boxCountFollowsTheWidth() {
        QFETCH(int, width);
        QFETCH(int, boxes);
        Create(width);
        QCOMPARE(panel_->BoxCount(), boxes);
        QCOMPARE(panel_->Slider()->maximum(), boxes);
        QCOMPARE(panel_->geometry(), QRect(0, 23, width, kHeight - 23));
        QCOMPARE(panel_->HtmlArea()->geometry(), QRect(0, 58, width, kHeight - 23 - 58));
        // The Search button sits at the top right.
        QCOMPARE(panel_->SearchButton().Rect(), QRect(width - 6 - 28, 8, 28, 24));
    }

    void typedLettersMakeTheQuery_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("slider");  // -1: left alone
        QTest::addColumn<bool>("keepSpaces");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("query");
        const int puzzle = SEARCH_TAB_PUZZLE;
        const int anagram = SEARCH_TAB_ANAGRAM;
        QTest::newRow("puzzle cat") << puzzle << "cat" << -1 << false << "CAT"
                                    << "3"
                                    << "cat";
        QTest::newRow("puzzle slider to 5 opens boxes") << puzzle << "cat" << 5 << false << "CAT??"
                                                        << "5"
                                                        << "cat??";
        QTest::newRow("puzzle slider to 2 cuts") << puzzle << "cat" << 2 << false << "CA"
                                                 << "2"
                                                 << "ca";
        QTest::newRow("puzzle keeps the open box") << puzzle << "c?t" << -1 << false << "C?T"
                                                   << "3"
                                                   << "c?t";
        QTest::newRow("pattern characters are dropped")
            << puzzle << "c*a[t](){},:" << -1 << false << "CAT"
            << "3"
            << "cat";
        QTest::newRow("backspace deletes left of the cursor")
            << puzzle << "cax\bt" << -1 << false << "CAT"
            << "3"
            << "cat";
        QTest::newRow("left and delete") << puzzle << "cart<<~" << -1 << false << "CAT"
                                         << "3"
                                         << "cat";
        QTest::newRow("space dropped") << puzzle << "ice cream" << -1 << false << "ICECREAM"
                                       << "8"
                                       << "icecream";
        QTest::newRow("space kept with the option")
            << puzzle << "ice cream" << -1 << true << "ICE CREAM"
            << "9"
            << "ice cream";
        QTest::newRow("letters the code page lacks are dropped")
            << puzzle << u"\u00b5\u00e9\u20ac\u0100x"_qs << -1 << false << u"\u00b5\u00c9\u20acX"_qs
            << "4" << u"\u00b5\u00e9\u20acx"_qs;
        QTest::newRow("anagram any") << anagram << "tea" << -1 << false << "TEA"
                                     << "Any"
                                     << "(tea)";
        QTest::newRow("anagram slider at 2") << anagram << "tea" << 2 << false << "TEA"
                                             << "2"
                                             << "(2:tea)";
        QTest::newRow("anagram slider stops at the letters")
            << anagram << "tea" << 5 << false << "TEA"
            << "3"
            << "(3:tea)";
        QTest::newRow("anagram slider at 0 is any") << anagram << "tea" << 0 << false << "TEA"
                                                    << "Any"
                                                    << "(tea)";
        QTest::newRow("anagram space dropped") << anagram << "t e a" << -1 << false << "TEA"
                                               << "Any"
                                               << "(tea)";
    }
    void typedLettersMakeTheQuery() {
        QFETCH(int, mode);
        QFETCH(QString, typed);
        QFETCH(int, slider);
        QFETCH(bool, keepSpaces);
        QFETCH(QString, letters);
        QFETCH(QString, label);
        QFETCH(QString, query);
        GetOptionsRecord().SetKeepSpaces(keepSpaces);
        Create(kPortraitWidth);
        tabs_->SelectTab(mode);
        panel_->setFocus();
        Type(panel_, typed);
        if (slider >= 0) {
            panel_->Slider()->setValue(slider);
        }
        QCOMPARE(Text(panel_->Letters()), letters);
        QCOMPARE(panel_->Label()->text(), label);
        QCOMPARE(panel_->Slider()->value(), label == "Any" ? 0 : label.toInt());
        QVERIFY(owner_.searches.empty());
        Type(panel_, "\r");
        QCOMPARE(owner_.searches.size(), size_t{1});
        QCOMPARE(owner_.searches[0].message, WM_SEARCH_PATTERN);
        QCOMPARE(owner_.searches[0].query, query);
        QCOMPARE(owner_.searches[0].path, QString());
    }

    void anagramCriterionFollowsTheLetters() {
        Create(kPortraitWidth);
        tabs_->SelectTab(SEARCH_TAB_ANAGRAM);
        panel_->setFocus();
        Type(panel_, "tea");
        panel_->Slider()->setValue(3);
        Type(panel_, "s");
        QCOMPARE(panel_->LengthCriterion(), 4);
        QCOMPARE(panel_->Label()->text(), QString("4"));
        Type(panel_, "~\b");  // Delete at the end does nothing; Backspace takes the S
        QCOMPARE(Text(panel_->Letters()), QString("TEA"));
        QCOMPARE(panel_->LengthCriterion(), 3);
    }

    void letterBeyondTheEndFillsOpenBoxes() {
        // A shrinking panel empties the boxes but leaves the cursor: typing then goes into box
        // 3 of an empty row.
        Create(kLandscapeWidth);
        panel_->setFocus();
        Type(panel_, "abc");
        QCOMPARE(panel_->Cursor(), 3);
        tabs_->resize(kPortraitWidth, kHeight);
        QCOMPARE(panel_->BoxCount(), 12);
        QCOMPARE(Text(panel_->Letters()), QString());
        QCOMPARE(panel_->Cursor(), 3);
        Type(panel_, "x");
        QCOMPARE(Text(panel_->Letters()), QString("???X"));
        QCOMPARE(panel_->Label()->text(), QString("4"));
    }

    void shrinkingKeepsTheCursorOnABox() {
        Create(kLandscapeWidth);
        panel_->setFocus();
        Type(panel_, "abcdefghijklmnop");
        QCOMPARE(panel_->Cursor(), 16);
        tabs_->resize(kPortraitWidth, kHeight);
        QCOMPARE(panel_->Cursor(), 11);
        Type(panel_, "x");
        QCOMPARE(Text(panel_->Letters()), QString("???????????X"));
        QCOMPARE(panel_->Cursor(), 11);  // the last box keeps the cursor
    }

    void tapsMoveTheCursor_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("cursor");
        QTest::newRow("first box") << 0 << 0;
        QTest::newRow("inside the letters") << 2 << 2;
        QTest::newRow("just after the letters") << 4 << 4;
        QTest::newRow("beyond the letters") << 6 << 4;
    }
    void tapsMoveTheCursor() {
        QFETCH(int, box);
        QFETCH(int, cursor);
        Create(kPortraitWidth);
        panel_->setFocus();
        Type(panel_, "abcd");
        QCOMPARE(panel_->Cursor(), 4);
        other_->setFocus();
        QTest::mouseClick(panel_, Qt::LeftButton, Qt::NoModifier, panel_->BoxRect(box).center());
        QCOMPARE(panel_->Cursor(), cursor);
        QVERIFY(panel_->hasFocus());
        Type(panel_, "z");
        QString expected = "ABCD";
        expected.replace(cursor, 1, "Z");
        QCOMPARE(Text(panel_->Letters()), expected.left(4 + (cursor == 4 ? 1 : 0)));
    }

    void searchButtonStartsASearch() {
        Create(kPortraitWidth);
        panel_->setFocus();
        const QPoint button = panel_->SearchButton().Rect().center();
        QTest::mouseClick(panel_, Qt::LeftButton, Qt::NoModifier, button);
        QCoreApplication::sendPostedEvents(panel_);
        QVERIFY(owner_.searches.empty());  // nothing typed
        Type(panel_, "dog");
        QTest::mouseClick(panel_, Qt::LeftButton, Qt::NoModifier, button);
        QCoreApplication::sendPostedEvents(panel_);
        QCOMPARE(owner_.searches.size(), size_t{1});
        QCOMPARE(owner_.searches[0].query, QString("dog"));
    }

    void searchButtonShowsItsPressedLookAndGivesNothingOutside() {
        Create(kPortraitWidth);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        panel_->setFocus();
        Type(panel_, "dog");
        const QRect button = panel_->SearchButton().Rect();
        const auto shown = [this, &button] {
            return panel_->grab(button).toImage().convertToFormat(QImage::Format_RGB32);
        };
        const auto bitmap = [](int id) {
            return LoadBitmapResource(id).convertToFormat(QImage::Format_RGB32);
        };
        QCOMPARE(shown(), bitmap(IDB_SEARCH_BUTTON));
        QTest::mousePress(panel_, Qt::LeftButton, Qt::NoModifier, button.center());
        QCOMPARE(shown(), bitmap(IDB_SEARCH_BUTTON_PRESSED));
        QTest::mouseMove(panel_, QPoint(button.left() - 20, button.bottom() + 20));
        QTest::mouseRelease(panel_, Qt::LeftButton, Qt::NoModifier,
                            QPoint(button.left() - 20, button.bottom() + 20));
        QCoreApplication::sendPostedEvents(panel_);
        QCOMPARE(shown(), bitmap(IDB_SEARCH_BUTTON));
        QVERIFY(owner_.searches.empty());
    }

    void focusGoesToTheInput_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("puzzle: the panel") << SEARCH_TAB_PUZZLE;
        QTest::newRow("anagram: the panel") << SEARCH_TAB_ANAGRAM;
        QTest::newRow("wildcard: the edit box") << SEARCH_TAB_WILDCARD;
        QTest::newRow("phonetic: the edit box") << SEARCH_TAB_PHONETIC;
    }
    void focusGoesToTheInput() {
        QFETCH(int, mode);
        Create(kPortraitWidth);
        tabs_->SelectTab(mode);
        other_->setFocus();
        tabs_->setFocus();
        QWidget* expected =
            mode >= SEARCH_TAB_WILDCARD ? static_cast<QWidget*>(panel_->EditBox()) : panel_;
        QCOMPARE(QApplication::focusWidget(), expected);
    }

    void editModesSendTheEditText_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<uint>("message");
        QTest::addColumn<QString>("query");
        QTest::newRow("wildcard") << SEARCH_TAB_WILDCARD << "c*t{s,}"
                                  << "C*T{S,}" << uint(WM_SEARCH_PATTERN) << "c*t{s,}";
        QTest::newRow("phonetic") << SEARCH_TAB_PHONETIC << "smith"
                                  << "SMITH" << uint(WM_SEARCH_PHONETIC) << "smith";
        QTest::newRow("code page characters kept, others cut")
            << SEARCH_TAB_WILDCARD << u"caf\u00e9\u20ac\u0100\u0162"_qs
            << u"CAF\u00c9\u20ac\u0100\u0162"_qs << uint(WM_SEARCH_PATTERN)
            << u"caf\u00e9\u20acb"_qs;
        QTest::newRow("empty wildcard starts nothing") << SEARCH_TAB_WILDCARD << ""
                                                       << "" << 0u << "";
        QTest::newRow("empty phonetic starts nothing") << SEARCH_TAB_PHONETIC << ""
                                                       << "" << 0u << "";
    }
    void editModesSendTheEditText() {
        QFETCH(int, mode);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(uint, message);
        QFETCH(QString, query);
        Create(kPortraitWidth);
        tabs_->SelectTab(mode);
        QVERIFY(panel_->EditBox()->isVisible());
        QVERIFY(!panel_->Slider()->isVisible());
        QVERIFY(panel_->EditBox()->hasFocus());
        Type(panel_->EditBox(), typed);
        QCOMPARE(panel_->EditBox()->text(), shown);
        QTest::keyClick(panel_->EditBox(), Qt::Key_Return);
        if (message == 0) {
            QVERIFY(owner_.searches.empty());
            return;
        }
        QCOMPARE(owner_.searches.size(), size_t{1});
        QCOMPARE(owner_.searches[0].message, uint32_t{message});
        QCOMPARE(owner_.searches[0].query, query);
    }

    void emptyBoxesStartNothing_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("puzzle") << SEARCH_TAB_PUZZLE;
        QTest::newRow("anagram") << SEARCH_TAB_ANAGRAM;
    }
    void emptyBoxesStartNothing() {
        QFETCH(int, mode);
        Create(kPortraitWidth);
        tabs_->SelectTab(mode);
        panel_->setFocus();
        Type(panel_, "\r");
        QVERIFY(!panel_->StartSearch());
        QVERIFY(owner_.searches.empty());
    }

    void wildcardSymbolsEditTheQuery_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QByteArray>("symbol");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caret");
        QTest::newRow("square over a selection") << "AB" << true << QByteArray("[]") << "[]" << 1;
        QTest::newRow("round over a selection") << "AB" << true << QByteArray("()") << "()" << 1;
        QTest::newRow("braces over a selection") << "AB" << true << QByteArray("{}") << "{,}" << 1;
        QTest::newRow("square at the caret") << "AB" << false << QByteArray("[]") << "AB[]" << 3;
        QTest::newRow("star typed at the caret") << "AB" << false << QByteArray("*") << "AB*" << 3;
        QTest::newRow("question mark typed") << "AB" << true << QByteArray("?") << "?" << 1;
        QTest::newRow("other targets do nothing") << "AB" << false << QByteArray("x") << "AB" << 2;
    }
    void wildcardSymbolsEditTheQuery() {
        QFETCH(QString, text);
        QFETCH(bool, selectAll);
        QFETCH(QByteArray, symbol);
        QFETCH(QString, result);
        QFETCH(int, caret);
        Create(kPortraitWidth);
        tabs_->SelectTab(SEARCH_TAB_WILDCARD);
        CContextEdit* edit = panel_->EditBox();
        edit->setText(text);
        if (selectAll) {
            edit->selectAll();
        } else {
            edit->setCursorPosition(int(text.size()));
        }
        emit panel_->HtmlArea()->linkTapped(symbol);
        QCoreApplication::processEvents();
        QCOMPARE(edit->text(), result);
        QCOMPARE(edit->cursorPosition(), caret);
        QVERIFY(edit->hasFocus());
    }

    void questionMarkSymbolGoesIntoTheBoxes() {
        Create(kPortraitWidth);
        other_->setFocus();
        emit panel_->HtmlArea()->linkTapped("?");
        QVERIFY(panel_->hasFocus());
        QCoreApplication::processEvents();
        Type(panel_, "x");
        QCOMPARE(Text(panel_->Letters()), QString("?X"));
    }

    void symbolsOfOtherModesDoNothing() {
        Create(kPortraitWidth);
        panel_->setFocus();
        for (const char* symbol : {"*", "[]", "()", "{}"}) {
            emit panel_->HtmlArea()->linkTapped(symbol);
        }
        QCoreApplication::processEvents();
        QCOMPARE(Text(panel_->Letters()), QString());
    }

    void shrinkingClearsTheLetters() {
        Create(kLandscapeWidth);
        tabs_->SelectTab(SEARCH_TAB_ANAGRAM);
        panel_->setFocus();
        Type(panel_, "tea\r");
        QCOMPARE(Text(panel_->Query()), QString("(tea)"));
        tabs_->resize(kLandscapeWidth + 16, kHeight);  // growing keeps them
        QCOMPARE(Text(panel_->Letters()), QString("TEA"));
        tabs_->resize(kPortraitWidth, kHeight);
        QCOMPARE(Text(panel_->Letters()), QString());
        QCOMPARE(Text(panel_->Query()), QString());
        QCOMPARE(panel_->LengthCriterion(), SEARCH_LENGTH_ANY);
        QCOMPARE(panel_->Label()->text(), QString("Any"));
    }

    void paintsLettersInTheirColours() {
        Create(kPortraitWidth);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        panel_->setFocus();
        Type(panel_, "a?<<");  // cursor back on box 0
        const QImage image = panel_->grab().toImage();
        const QColor highlight = panel_->palette().color(QPalette::Highlight);
        QCOMPARE(image.pixelColor(panel_->BoxRect(0).topLeft()), highlight);
        QCOMPARE(image.pixelColor(panel_->BoxRect(1).topLeft()), QColor(Qt::white));
        QVERIFY(Contains(image, panel_->BoxRect(1), QColor(128, 0, 0)));
        QVERIFY(!Contains(image, panel_->BoxRect(1), QColor(0, 0, 128)));
        panel_->HandleKey(Qt::Key_Right);
        const QImage moved = panel_->grab().toImage();
        QVERIFY(Contains(moved, panel_->BoxRect(0), QColor(0, 0, 128)));
        QCOMPARE(moved.pixelColor(panel_->BoxRect(1).topLeft()), highlight);
    }
};

QTEST_MAIN(SearchPanelTest)
#include "search_panel_test.moc"
