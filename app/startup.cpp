// The startup class: start-up of the main window.
#include "app/startup.h"

#include "app/window/dpi_awareness.h"
#include "app/schemes/scheme_argument.h"
#include "runtime/shell/external_functions.h"
#include "runtime/shell/rix_app_instance.h"
#include "runtime/shell/win_app.h"

namespace rg_lch_jxt {

namespace {

constexpr const WCHAR* kMainWindowCaption = TEXT("键序台");

} // namespace

rg_qdl::rg_qdl() {
    m_MainWindow.SetCaption(CWString(kMainWindowCaption));
}

int rg_qdl::StartApplication(CRixUserApp* app) {
    if (!BindExternalFunctions(GetRixAppInstance().GetLoadedLibraries()))
        return 0;
    auto* self = dynamic_cast<rg_qdl*>(app);
    if (self == nullptr)
        return 0;
    // Before the first window of the program: the manifest's awareness, if it was not taken.
    EnsurePerMonitorDpiAwareness();
    CreateParams params;
    params.x = params.y = params.width = params.height = kUnsetCoordinate;
    if (self->m_MainWindow.CreateNativeWindow(params) != 0)
        RixGetApp()->m_hMainWnd = self->m_MainWindow.GetSafeHwnd();
    if (RixGetApp()->m_hMainWnd != nullptr) {
        CWString scheme = SchemeArgument(GetCommandLineW());
        if (!scheme.IsEmpty())
            self->m_MainWindow.OpenScheme(scheme);
    }
    return 1;
}

} // namespace rg_lch_jxt
