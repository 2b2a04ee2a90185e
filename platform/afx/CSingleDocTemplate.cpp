#include "platform/afx/CSingleDocTemplate.h"

#include "platform/afx/CWinApp.h"

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document) {
    if (!frameFactory_)
        return nullptr;
    CFrameWnd* frame = frameFactory_();
    if (!frame)
        return nullptr;
    CCreateContext context;
    context.m_pNewViewClass = viewFactory_;
    context.m_pCurrentDoc = document;
    context.m_pNewDocTemplate = this;
    context.m_pCurrentFrame = frame;
    // The frame must not delete itself before we know whether it was made.
    frame->m_bAutoDelete = false;
    if (!frame->LoadFrame(resourceId_, WS_OVERLAPPED, nullptr, &context)) {
        if (frame->m_hWnd)
            frame->DestroyWindow();
        delete frame;
        return nullptr;
    }
    frame->m_bAutoDelete = true;
    return frame;
}

CSingleDocTemplate::~CSingleDocTemplate() = default;

CDocument* CSingleDocTemplate::OpenDocumentFile(const char16_t*, BOOL makeVisible) {
    if (!document_) {
        document_.reset(documentFactory_ ? documentFactory_() : nullptr);
        if (!document_)
            return nullptr;
        document_->m_pDocTemplate = this;
    }
    if (frame_ && IsWindow(frameWindow_)) {
        if (!document_->OnNewDocument())
            return nullptr;
        frame_->InitialUpdateFrame(document_.get(), makeVisible);
        return document_.get();
    }
    CFrameWnd* frame = CreateNewFrame(document_.get());
    if (!frame)
        return nullptr;
    if (!document_->OnNewDocument()) {
        frame->DestroyWindow();
        return nullptr;
    }
    frame_ = frame;
    frameWindow_ = frame->m_hWnd;
    if (CWinApp* app = AfxGetApp(); app && !app->m_pMainWnd)
        app->SetMainWnd(frame);
    frame->InitialUpdateFrame(document_.get(), makeVisible);
    return document_.get();
}
