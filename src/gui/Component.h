#pragma once

#include <memory>
#include <utility>
#include <vector>

namespace nimbrel::gui {

// Something without a place in the window that a component container owns and releases.
class Component {
public:
    Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    virtual ~Component() = default;
};

// Owns the tray icon and the timers; releasing it releases them, the last one added first.
class ComponentContainer {
public:
    ComponentContainer() = default;
    ComponentContainer(const ComponentContainer&) = delete;
    ComponentContainer& operator=(const ComponentContainer&) = delete;
    ~ComponentContainer()
    {
        while (!components_.empty()) {
            components_.pop_back();
        }
    }

    template <typename T, typename... Args>
    T& add(Args&&... args)
    {
        auto component = std::make_unique<T>(std::forward<Args>(args)...);
        T& added = *component;
        components_.push_back(std::move(component));
        return added;
    }

private:
    std::vector<std::unique_ptr<Component>> components_;
};

} // namespace nimbrel::gui
