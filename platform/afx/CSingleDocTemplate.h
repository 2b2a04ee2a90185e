#pragma once
// Document templates: which document, frame and view classes make up a
// document's windows, given as small factory functions:
//   AddDocTemplate(new CSingleDocTemplate(132, NewDocument<CMyDoc>,
//                                         NewFrame<CMainFrame>, NewView<CMyView>));

#include <memory>

#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"

using CDocumentFactory = CDocument* (*)();
using CFrameFactory = CFrameWnd* (*)();
template <class T> CDocument* NewDocument() {
    return new T();
}
template <class T> CFrameWnd* NewFrame() {
    return new T();
}

class CDocTemplate : public CCmdTarget {
  public:
    CDocTemplate(UINT resourceId, CDocumentFactory document, CFrameFactory frame, CWndFactory view)
        : resourceId_(resourceId), documentFactory_(document), frameFactory_(frame),
          viewFactory_(view) {}

    // Makes (or reuses) the document and opens a frame with its views; the
    // first frame becomes the application's main window. nullptr on failure.
    // A single-document template has one frame: while it lives, opening
    // again starts the document anew in it (its views get their initial
    // update again) instead of making another.
    virtual CDocument* OpenDocumentFile(const char16_t* path, BOOL makeVisible = TRUE) = 0;

    [[nodiscard]] UINT GetResourceId() const { return resourceId_; }

  protected:
    // Creates a frame for `document`; nullptr (and nothing left behind) on failure.
    CFrameWnd* CreateNewFrame(CDocument* document);

    UINT resourceId_;
    CDocumentFactory documentFactory_;
    CFrameFactory frameFactory_;
    CWndFactory viewFactory_;
};

class CSingleDocTemplate : public CDocTemplate {
  public:
    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;

    CDocument* OpenDocumentFile(const char16_t* path, BOOL makeVisible = TRUE) override;
    [[nodiscard]] CDocument* GetDocument() const { return document_.get(); }

  private:
    std::unique_ptr<CDocument> document_;
    // The one frame of the one document, while its window lives.
    CFrameWnd* frame_ = nullptr;
    HWND frameWindow_ = nullptr;
};
