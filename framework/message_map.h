// Message maps: a static table per class, chained to the base class's table.
// Handlers all take (WPARAM, LPARAM) and return LRESULT; command handlers receive the
// WM_COMMAND parameters unchanged (LOWORD(wParam) is the id).
#pragma once
#include <windows.h>

class CWnd;

using MapHandler = LRESULT (CWnd::*)(WPARAM, LPARAM);

enum class MapKind { End, Message, Command, CommandRange };

struct MessageMapEntry {
    MapKind kind;
    UINT message; // for Message entries
    UINT firstId; // for Command and CommandRange entries
    UINT lastId;
    MapHandler handler;
};

struct MessageMap {
    const MessageMap* (*base)(); // null for the root of the chain
    const MessageMapEntry* entries;
};

// In the class body.
#define DECLARE_MESSAGE_MAP()                                                                      \
  public:                                                                                          \
    static const MessageMap* GetThisMessageMap();                                                  \
    const MessageMap* GetMessageMap() const override;

// In the source file; entries follow in table order, first match wins.
#define BEGIN_MESSAGE_MAP(Class, Base)                                                             \
    const MessageMap* Class::GetMessageMap() const {                                               \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const MessageMap* Class::GetThisMessageMap() {                                                 \
        using ThisClass = Class;                                                                   \
        using BaseClass = Base;                                                                    \
        static const MessageMapEntry entries[] = {

#define ON_MESSAGE(message, fn)                                                                    \
    {MapKind::Message, message, 0, 0, static_cast<MapHandler>(&ThisClass::fn)},
// A WM_COMMAND from control or menu item `id` with notification code 0 only (BN_CLICKED, a
// menu, an accelerator, a slider's notification); other codes (BN_DOUBLECLICKED, EN_CHANGE
// ...) pass by it. ON_COMMAND_RANGE follows the same rule.
#define ON_COMMAND(id, fn) {MapKind::Command, 0, id, id, static_cast<MapHandler>(&ThisClass::fn)},
#define ON_COMMAND_RANGE(firstId, lastId, fn)                                                      \
    {MapKind::CommandRange, 0, firstId, lastId, static_cast<MapHandler>(&ThisClass::fn)},

#define END_MESSAGE_MAP()                                                                          \
    { MapKind::End, 0, 0, 0, nullptr }                                                             \
    }                                                                                              \
    ;                                                                                              \
    static const MessageMap map = {&BaseClass::GetThisMessageMap, entries};                        \
    return &map;                                                                                   \
    }
