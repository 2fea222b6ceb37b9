#pragma once
// Message maps: plain tables that pair a window message or a command id with a member function.
// A class keeps its tables as static members and consults them first in WindowProc / OnCmdMsg,
// then hands on to its base class; nothing else is hidden.
#include <windows.h>

#include <optional>
#include <span>
#include <type_traits>

#include "framework/CCmdUI.h"

template <class T>
struct CommandEntry {
    UINT id;
    void (T::*onCommand)();        // null: the row only decides the state
    void (T::*onUpdate)(CCmdUI&);  // null: enabled whenever onCommand is set
};

template <class T>
struct MessageEntry {
    UINT message;
    LRESULT (T::*handler)(WPARAM, LPARAM);
};

// Offers command `id` to one table. With ui == nullptr the command runs; otherwise its state is
// filled in. Returns whether the table knew the command.
template <class T>
bool RouteCommandTo(T& target, std::type_identity_t<std::span<const CommandEntry<T>>> table, UINT id, CCmdUI* ui)
{
    for (const CommandEntry<T>& entry : table) {
        if (entry.id != id) {
            continue;
        }
        if (ui != nullptr) {
            if (entry.onUpdate != nullptr) {
                (target.*entry.onUpdate)(*ui);
                return true;
            }
            if (entry.onCommand != nullptr) {
                ui->Enable(true);
                return true;
            }
        } else if (entry.onCommand != nullptr) {
            (target.*entry.onCommand)();
            return true;
        }
    }
    return false;
}

// Offers a window message to one table; empty when the table has no row for it.
template <class T>
std::optional<LRESULT> DispatchTo(T& target, std::type_identity_t<std::span<const MessageEntry<T>>> table,
                                  UINT message,
                                  WPARAM wParam, LPARAM lParam)
{
    for (const MessageEntry<T>& entry : table) {
        if (entry.message == message) {
            return (target.*entry.handler)(wParam, lParam);
        }
    }
    return std::nullopt;
}
