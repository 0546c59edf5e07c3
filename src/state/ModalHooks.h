#pragma once
// What runs with a modal dialog just before it runs modally, by the dialog's type. The program
// registers nothing, so every dialog simply runs; a test registers a function for the dialogs it
// drives (answering them through their widgets) and the state it belongs to ends with the test.
//
//     state.modalHooks.onShow<TConfigDial>([](TConfigDial& dialog) { ... });
//
// Every place that runs one of the program's dialogs modally calls aboutToShow(dialog) first.
#include <any>
#include <functional>
#include <typeindex>
#include <unordered_map>

namespace tandemx {

class ModalHooks {
public:
    // From now on hook runs with every dialog of type Dialog about to be shown (in place of an earlier
    // one for that type).
    template <class Dialog, class Hook>
    void onShow(Hook&& hook)
    {
        hooks_[typeid(Dialog)] = std::function<void(Dialog&)>(std::forward<Hook>(hook));
    }
    // Dialogs of type Dialog run without a hook again.
    template <class Dialog>
    void remove()
    {
        hooks_.erase(typeid(Dialog));
    }

    // Runs the hook for this dialog's type, if one is registered. The hook may register or remove
    // hooks while it runs (also its own).
    template <class Dialog>
    void aboutToShow(Dialog& dialog) const
    {
        const auto it = hooks_.find(typeid(Dialog));
        if (it == hooks_.end())
            return;
        const std::function<void(Dialog&)> hook = std::any_cast<const std::function<void(Dialog&)>&>(it->second);
        if (hook)
            hook(dialog);
    }

private:
    std::unordered_map<std::type_index, std::any> hooks_;
};

} // namespace tandemx
