#pragma once

// CPageCapture: a display that keeps the page the render worker hands over, for the programs
// that read pages without showing them (lexicove-cli, the list export). The worker posts the
// page; here a posted call takes effect at once. Errors the worker would show are kept.

#include <string>
#include <vector>

#include "render/html_display.h"

class CPageCapture : public IHtmlDisplay {
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
    // The errors shown since the last Clear.
    const std::vector<std::string>& Errors() const { return errors_; }

  private:
    std::string page_;
    std::vector<std::string> errors_;
    bool complete_ = false;
};
