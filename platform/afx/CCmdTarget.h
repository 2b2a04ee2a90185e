#pragma once
// The root of every class that receives commands: it owns a message map and
// finds handlers in it (its own table first, then its bases').

#include <string>

#include "platform/afx/MessageMap.h"

// The state of one command's user interface (a menu item) while handlers
// are asked to update it with ON_UPDATE_COMMAND_UI.
class CCmdUI {
  public:
    UINT m_nID = 0;
    HMENU m_hMenu = nullptr; // the pop-up holding the item, when it is a menu item
    bool m_bHandled = false; // a handler answered

    void Enable(BOOL on = TRUE);
    void SetCheck(int check = 1);
    void SetText(const char16_t* text);
};

// Code of a command-state query in OnCmdMsg (real notification codes are >= 0).
constexpr int CN_UPDATE_COMMAND_UI = -1;

class CCmdTarget {
  public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the handler for command `id` with notification `code` (0 for menu
    // commands; CN_UPDATE_COMMAND_UI with `ui` for a state query). Classes
    // that route commands onwards (views, frames) override this.
    virtual BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui);

    // The first entry of this object's map chain matching the message, or
    // nullptr. For WM_COMMAND entries `code` and `id` must match too.
    [[nodiscard]] const AFX_MSGMAP_ENTRY* FindMessageEntry(AfxEntryKind kind, UINT message,
                                                           UINT code, UINT id) const;

  protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
