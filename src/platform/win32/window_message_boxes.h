// Message boxes through MessageBoxW, owned by whatever window the owner function names.
#pragma once

#include <functional>

#include "platform/message_boxes.h"
#include "platform/win32/windows_api.h"

namespace bw::win32 {

class WindowMessageBoxes final : public MessageBoxes {
  public:
    explicit WindowMessageBoxes(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    int Show(const std::string& text, const std::string& title, unsigned style) override;
    std::optional<std::size_t> Choose(const std::string& text, const std::string& title,
                                      const std::vector<std::string>& answers) override;

  private:
    std::function<HWND()> owner_;
};

}  // namespace bw::win32
