#include "render/page_capture.h"

void CPageCapture::Clear() {
    page_.clear();
    errors_.clear();
    complete_ = false;
}

void CPageCapture::AddText(const char* text) {
    if (text != nullptr) {
        page_ += text;
    }
}

void CPageCapture::ShowError(const char* text) {
    if (text != nullptr) {
        errors_.emplace_back(text);
    }
}
