#pragma once

// A dialog made from a numbered template. DoModal creates the window and
// its controls, disables the owner, runs OnInitDialog (whose base version
// attaches control objects through DoDataExchange), shows the window and
// runs a nested event loop until EndDialog. Enter gives OnOK (IDOK, or the
// template's default button), Escape and the close box give OnCancel.
//
//     class CAboutDlg : public plat::Dialog {
//     public:
//         CAboutDlg() : Dialog(100) { }
//     protected:
//         void DoDataExchange(plat::DataExchange* dx) override
//         {
//             plat::DDX_Control(dx, IDC_ABOUT_EXEPATH, m_path);
//         }
//         bool OnInitDialog() override;
//         plat::Static m_path;
//         LV_DECLARE_MESSAGE_MAP()
//     };

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Wnd.h"

#include <cstdint>
#include <memory>

namespace plat {

class Dialog;

class DataExchange {
public:
    bool m_bSaveAndValidate = false;
    Dialog* m_pDlgWnd = nullptr;
};

// Makes `control` the object of the dialog's control `id` (once: an object
// that already has a window is left as it is). Its messages, drawing and
// operations are then those of `control`.
void DDX_Control(DataExchange* dx, int id, Wnd& control);

class Dialog : public Wnd {
public:
    explicit Dialog(int templateId, Wnd* parent = nullptr);
    ~Dialog() override;

    // The result given to EndDialog; -1 when the dialog could not run (no
    // template, no display, or it is already running).
    virtual std::intptr_t DoModal();
    // A modeless dialog: created, initialised and shown; ends with DestroyWindow.
    bool Create(Wnd* parent = nullptr);
    void EndDialog(int result);
    bool UpdateData(bool saveAndValidate = true);

    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    int TemplateId() const { return m_templateId; }

protected:
    // A dialog from a template built in code (message boxes).
    Dialog(DialogTemplate tmpl, Wnd* parent);
    virtual void DoDataExchange(DataExchange* dx);

    LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    void HandleOK() { OnOK(); }
    void HandleCancel() { OnCancel(); }

    LV_DECLARE_MESSAGE_MAP()

private:
    bool CreateWindowFromTemplate(HWND owner);

    int m_templateId = 0;
    std::unique_ptr<DialogTemplate> m_builtTemplate;
    Wnd* m_parent = nullptr;
    bool m_visibleOnInit = false;
    bool m_running = false;
    bool m_ended = false;
    std::intptr_t m_result = -1;
};

}
