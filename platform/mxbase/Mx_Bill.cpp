#include "platform/mxbase/Mx_Bill.h"

#include <unistd.h>  // getpid
#include <filesystem>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_ListOutputCallback.h"

namespace {

std::wstring joined(const Mx_StringArray& texts) {
    std::wstring line;
    for (int i = 0; i < texts.length(); ++i) {
        if (i > 0)
            line += L'|';
        line += texts[i].view();
    }
    return line;
}

void log(std::wstring line) {
    listOutputLog().push_back(std::move(line));
}

}  // namespace

std::vector<std::wstring>& listOutputLog() {
    static std::vector<std::wstring> calls;
    return calls;
}

Mx_String Mx_Bill::partPicture(const Mx_String& part) const {
    const auto found = pictures_.find(part);
    return found == pictures_.end() ? Mx_String() : found->second;
}

int Mx_Bill::feed(Mx_ListOutputCallback& output) const {
    log(L"onStartFeed");
    const Acad::ErrorStatus started = output.onStartFeed();
    if (started != Acad::eOk)
        return started;
    for (const Line& line : lines_) {
        switch (line.kind) {
            case Line::Kind::Row:
                log(L"onAddRow " + joined(line.texts));
                output.onAddRow(line.texts);
                break;
            case Line::Kind::SubTotal:
                log(L"onAddSubTotals " + joined(line.texts));
                output.onAddSubTotals(line.texts, Mx_StringArray(), false, 0);
                break;
            case Line::Kind::NewPage:
                log(L"onNewPage");
                output.onNewPage();
                break;
        }
    }
    log(L"onEndFeed");
    return output.onEndFeed();
}

bool makeBillImage(const Mx_StringArray& row, int mode, int size, int style, bool shaded, bool withDimensions,
                   Mx_Bill* bill, AcTransaction* transaction, Mx_String& file) {
    file.clear();
    const Mx_String part = row.isEmpty() ? Mx_String() : row[0];
    std::wstring call = L"makeBillImage " + part.str() + L" " + std::to_wstring(mode) + L"," +
                        std::to_wstring(size) + L"," + std::to_wstring(style) + L"," +
                        (shaded ? L"1" : L"0") + L"," + (withDimensions ? L"1" : L"0");
    const Mx_String picture = bill && transaction ? bill->partPicture(part) : Mx_String();
    if (!picture.isEmpty()) {
        static int counter = 0;
        const std::filesystem::path target =
            std::filesystem::temp_directory_path() /
            ("connsheet-bill-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".bmp");
        if (fsys::copyFile(fsys::resolve(picture.view()), target, nullptr))
            file = fsys::toWide(target);
    }
    log(call + L" -> " + (file.isEmpty() ? std::wstring(L"(failed)") : file.str()));
    return !file.isEmpty();
}

void openBillImageDialog(int size) {
    log(L"openBillImageDialog " + std::to_wstring(size));
}
void closeBillImageDialog() {
    log(L"closeBillImageDialog");
}
