#include "platform/afx/CDocument.h"

#include <algorithm>

#include "platform/afx/CView.h"

CDocument::~CDocument() {
    for (CView* view : views_)
        view->m_pDocument = nullptr;
}

void CDocument::AddView(CView* view) {
    if (!view || std::find(views_.begin(), views_.end(), view) != views_.end())
        return;
    views_.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
    std::erase(views_, view);
    if (view && view->m_pDocument == this)
        view->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, void* hintObject) {
    const auto views = views_; // a view may leave the list while it updates
    for (CView* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
}
