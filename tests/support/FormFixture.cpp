#include "support/FormFixture.h"

#include "protect/frmMain.h"

namespace quorvane::test {

MainFormTest::MainFormTest() = default;

MainFormTest::~MainFormTest() = default;

Services MainFormTest::services() {
    return Services{
        .fs = fs,
        .messages = messages,
        .dialogs = dialogs,
        .icons = icons,
        .ini = *core.iniWriter,
        .registry = registry,
        .launcher = launcher,
        .keys = keys,
        .fileManagers = *core.fileManagerIcons,
    };
}

frmMain& MainFormTest::form() {
    if (!m_form) makeForm(tmp.path());
    return *m_form;
}

void MainFormTest::makeForm(const std::string& applicationDirectory) {
    m_form = std::make_unique<frmMain>(services(), view, applicationDirectory);
    m_form->Form_Load();
}

frmMain& MainFormTest::formOn(const std::string& path) {
    frmMain& f = form();
    dialogs.folders.push_back(path);
    f.cmd_Click(0);
    return f;
}

std::string MainFormTest::profileText(const std::string& text) {
    if (!kUnderWine) return text;
    std::string out = text;
    for (std::size_t at; (at = out.find("\r\n\r\n")) != std::string::npos;) out.erase(at, 2);
    if (out.rfind("\r\n", 0) == 0) out.erase(0, 2);
    return out;
}

std::string MainFormTest::folder(const std::string& name) {
    const std::string path = tmp / name;
    makeDir(path);
    return path;
}

}  // namespace quorvane::test
