#pragma once

// What pens, brushes and fonts share: copies share one set of immutable
// data, like copies of a handle. Deleting drops this copy's reference only,
// so a context that selected the object keeps drawing with it.

#include <memory>

namespace plat {

template <class Derived, class Payload>
class GdiObject {
public:
    // True when there was something to delete.
    bool DeleteObject()
    {
        const bool had = m_data != nullptr;
        m_data.reset();
        return had;
    }
    bool IsNull() const { return !m_data; }

    const std::shared_ptr<const Payload>& Data() const { return m_data; }
    static Derived FromData(std::shared_ptr<const Payload> data)
    {
        Derived object;
        static_cast<GdiObject&>(object).m_data = std::move(data);
        return object;
    }

protected:
    std::shared_ptr<const Payload> m_data;
};

}
