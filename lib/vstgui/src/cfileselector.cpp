#include "vstgui/lib/cfileselector.h"
#include "fileselectorbackend.h"

namespace VSTGUI {
namespace {
CNewFileSelector::Backend selectedBackend = CNewFileSelector::Backend::kAutomatic;
}

IdStringPtr CNewFileSelector::kSelectEndMessage = "CNewFileSelector Select End Message";

void CNewFileSelector::setBackend(Backend b) {
    selectedBackend = b;
}

CNewFileSelector* CNewFileSelector::create(CFrame* parent, Style style) {
    return new CNewFileSelector(parent, style);
}

CNewFileSelector::CNewFileSelector(CFrame* parent, Style s) : frame(parent), style(s) {}

CNewFileSelector::~CNewFileSelector() {
    if (backend)
        backend->cancel();
    if (delegate)
        delegate->forget();
}

void CNewFileSelector::setDefaultExtension(const CFileExtension& e) {
    defaultExtension = std::make_unique<CFileExtension>(e);
}

void CNewFileSelector::addFileExtension(const CFileExtension& e) {
    extensions.push_back(e);
}

UTF8StringPtr CNewFileSelector::getSelectedFile(uint32_t index) const {
    return index < result.size() ? result[index].c_str() : nullptr;
}

bool CNewFileSelector::run(CBaseObject* d) {
    if (running || !d)
        return false;
    d->remember();
    if (delegate)
        delegate->forget();
    delegate = d;
    callback = nullptr;
    return run(std::function<void(CNewFileSelector*)>());
}

bool CNewFileSelector::run(std::function<void(CNewFileSelector*)> cb) {
    if (running)
        return false;
    if (cb)
        callback = std::move(cb);
    result.clear();
    backend.reset();
    running = true;
    remember();  // the selector lives until it has reported
    bool started = false;
    if (selectedBackend == Backend::kAutomatic) {
        backend = createNativeFileSelector();
        started = backend && backend->run(this);
    }
    if (!started) {
        backend = createInFrameFileSelector();
        started = backend->run(this);
    }
    if (!started) {
        running = false;
        callback = nullptr;
        if (delegate) {
            delegate->forget();
            delegate = nullptr;
        }
        forget();
    }
    return started;
}

void CNewFileSelector::fallBackToInFrame() {
    if (!running)
        return;
    backend = createInFrameFileSelector();  // ends the failed one
    if (!backend->run(this))
        finish({});
}

void CNewFileSelector::cancel() {
    if (!running)
        return;
    if (backend)
        backend->cancel();
    finish({});
}

void CNewFileSelector::finish(std::vector<UTF8String> files) {
    if (!running)
        return;
    running = false;
    if (!allowMultiSelection && files.size() > 1)
        files.resize(1);
    result = std::move(files);
    SharedPointer<CNewFileSelector> guard(this);
    forget();  // the reference taken by run()
    CBaseObject* d = delegate;
    delegate = nullptr;
    if (callback) {
        auto cb = std::move(callback);
        callback = nullptr;
        cb(this);
    }
    if (d) {
        d->notify(this, kSelectEndMessage);
        d->forget();
    }
}

}  // namespace VSTGUI
