#pragma once
// Mx_Bill: a bill of materials as the core library's list generator holds it — lines of texts (part
// rows, subtotal rows, page breaks), and for parts that have one, the picture file a rendering of the
// part is made from. feed() hands the lines to a list output in the generator's order.
//
// The image maker and the image dialog stand in for the core library's renderer: the maker writes a
// picture file for a row (a copy of its part's picture, so the output may delete it) or fails; the
// dialog calls have no result. Every call is written to the list-output log, which tests read.
#include <map>
#include <string>
#include <vector>

#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class AcTransaction;
class Mx_ListOutputCallback;

class Mx_Bill {
public:
    struct Line {
        enum class Kind { Row, SubTotal, NewPage };
        Kind kind = Kind::Row;
        Mx_StringArray texts;
    };

    void addRow(const Mx_StringArray& texts) { lines_.push_back({Line::Kind::Row, texts}); }
    void addSubTotal(const Mx_StringArray& texts) { lines_.push_back({Line::Kind::SubTotal, texts}); }
    void addNewPage() { lines_.push_back({Line::Kind::NewPage, {}}); }
    const std::vector<Line>& lines() const { return lines_; }
    void reserve(std::size_t lines) { lines_.reserve(lines); }

    // The picture of the part whose row starts with `part` (its first text).
    void setPartPicture(const Mx_String& part, const Mx_String& pictureFile) {
        pictures_[part] = pictureFile;
    }
    Mx_String partPicture(const Mx_String& part) const;

    // Runs the list generator: onStartFeed, each line in order, onEndFeed. Returns onEndFeed's status,
    // or the first failing status of onStartFeed (the feed then stops).
    int feed(Mx_ListOutputCallback& output) const;

private:
    std::vector<Line> lines_;
    std::map<Mx_String, Mx_String> pictures_;
};

// The core library's image maker: a picture file of the part of `row` (a new file in the temporary
// folder, which the caller deletes) in `file`; false and an empty name when the bill has no picture
// for the part, or either of bill and transaction is missing.
bool makeBillImage(const Mx_StringArray& row, int mode, int size, int style, bool shaded, bool withDimensions,
                   Mx_Bill* bill, AcTransaction* transaction, Mx_String& file);
// The image dialog that shows the pictures being made (no result).
void openBillImageDialog(int size);
void closeBillImageDialog();

// What the list output and the image stand-ins were asked, one line per call
// ("onAddRow A1|Plate", "makeBillImage A1 -> /tmp/...bmp", "openBillImageDialog 20", ...).
std::vector<std::wstring>& listOutputLog();
