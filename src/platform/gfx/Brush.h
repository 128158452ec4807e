#pragma once

// A solid brush. Copies share one brush, like copies of a handle.

#include "platform/Types.h"

#include <memory>

namespace plat {

struct BrushData {
    COLORREF color = 0;
};

class Brush {
public:
    Brush() = default;
    explicit Brush(COLORREF color) { CreateSolidBrush(color); }

    bool CreateSolidBrush(COLORREF color);
    bool DeleteObject();
    bool IsNull() const { return !data_; }
    COLORREF Color() const { return data_ ? data_->color : 0; }

    const std::shared_ptr<const BrushData>& Data() const { return data_; }
    static Brush FromData(std::shared_ptr<const BrushData> data);
    // The white brush of a fresh context.
    static const Brush& WhiteBrush();

private:
    std::shared_ptr<const BrushData> data_;
};

}
