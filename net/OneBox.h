#pragma once
// The boxes a match over the network opens (the match's end, the link's end) come one at a
// time: while one is open the next waits, and any more are dropped, so a flood of them
// costs neither stack nor memory.
#include <optional>
#include <string>

namespace quindra::net {

class OneBox {
  public:
    // True when the box opens now; false when it waits or is dropped.
    bool offer(const std::string& text) {
        if (!open_) {
            open_ = true;
            return true;
        }
        if (!waiting_)
            waiting_ = text;
        return false;
    }
    // The open box closed: the one waiting, to open now.
    std::optional<std::string> closed() {
        std::optional<std::string> next = std::move(waiting_);
        waiting_.reset();
        open_ = next.has_value();
        return next;
    }
    bool open() const { return open_; }

  private:
    bool open_ = false;
    std::optional<std::string> waiting_;
};

} // namespace quindra::net
