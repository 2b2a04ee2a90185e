#pragma once
// A document: the data a frame's views show. It keeps the list of its views
// and is a stop on the command route (view, document, frame, application).

#include <string>
#include <vector>

#include "platform/afx/CCmdTarget.h"

class CView;
class CDocTemplate;

class CDocument : public CCmdTarget {
  public:
    CDocument() = default;
    ~CDocument() override;

    // Called when the template makes this the current document; false
    // refuses it.
    virtual BOOL OnNewDocument() { return TRUE; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    [[nodiscard]] const std::vector<CView*>& GetViews() const { return views_; }
    // Calls OnUpdate on every view but `sender`.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, void* hintObject = nullptr);

    [[nodiscard]] const std::u16string& GetTitle() const { return title_; }
    virtual void SetTitle(std::u16string_view title) { title_ = title; }
    [[nodiscard]] CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    CDocTemplate* m_pDocTemplate = nullptr;

  private:
    std::vector<CView*> views_;
    std::u16string title_;
};
