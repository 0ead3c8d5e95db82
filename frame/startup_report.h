#pragma once

// CStartupReport: the start-up measurement that bench/startup.sh asks for with
// LEXICOVE_REPORT_STARTUP=1. It watches the main window for its first paint; once that paint
// is done it prints the wall-clock time on standard output, as
//   lexicove: first paint at SECONDS.MICROSECONDS
// (seconds since 1970, comparable with the shell's $EPOCHREALTIME taken before the start),
// for the main window followed by
//   lexicove: first window WIDTHxHEIGHT, two panes        (or: handheld layout)
// and then calls the given function, which ends the program the normal way.

#include <QObject>
#include <functional>

class QWidget;

class CStartupReport : public QObject {
    Q_OBJECT

  public:
    CStartupReport(QWidget* window, std::function<void()> done);

    // True when the environment asks for the report.
    static bool Requested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Report();

    std::function<void()> done_;
    bool painted_ = false;
};
