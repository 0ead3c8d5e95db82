#pragma once

// CTerminalDisplay: the display of lexicove-cli. It keeps the page that the render worker
// hands over (the worker posts it; here a posted call takes effect at once), so the command
// can print it.

#include <string>

#include "render/html_display.h"

class CTerminalDisplay : public IHtmlDisplay {
  public:
    bool IsWindow() const override { return true; }
    void Clear() override;
    void AddText(const char* text) override;
    void EndOfSource() override { complete_ = true; }
    void PostAddText(const char* text) override { AddText(text); }
    void PostEndOfSource() override { EndOfSource(); }
    void ShowError(const char* text) override;

    // The page received since the last Clear, and whether it was completed.
    const std::string& Page() const { return page_; }
    bool Complete() const { return complete_; }

  private:
    std::string page_;
    bool complete_ = false;
};
