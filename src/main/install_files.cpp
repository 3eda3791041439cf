// Build tool: writes the desktop entry, the MIME package, the icons and the
// help pages that the install puts under <prefix>/share.

#include "platform/qt/shell/install_files.h"
#include "commands/resource_ids.h"
#include "commands/resources.h"
#include "platform/docview/doc_strings.h"
#include "platform/framework/std_ids.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argc > 0 ? argv[0] : "quirl32-install-files");
        return 2;
    }
    AfxSetResources(&Quirl32Resources());
    const std::vector<CString> fields = AfxSplitDocString(IDR_QUIRL3TYPE);
    ShellFileType type;
    type.appName = AfxLoadString(AFX_IDS_APP_TITLE);
    type.extension = fields.size() > 4 ? fields[4] : CString();
    type.typeId = fields.size() > 5 ? fields[5] : CString();
    type.typeName = fields.size() > 6 ? fields[6] : CString();
    type.nAppIcon = IDR_MAINFRAME;
    type.nDocIcon = IDR_QUIRL3TYPE;
    const std::string error = WriteInstallFiles(type, argv[1]);
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    return 0;
}
