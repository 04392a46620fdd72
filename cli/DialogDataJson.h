#pragma once
// The data of the grid, lookup, image-selection and CIS/2 dialogs as JSON, so `connsheet show` can
// open them on data from a file and print what OK gave back. One object per dialog, its members named
// after the fields; members left out keep their defaults:
//
//   242 {"firstCount": 4, "firstDistance": "5000", "firstLabel": "A", "secondCount": 3,
//        "secondDistance": "5000", "secondLabel": "1", "option": false}
//   244 {"text1": "", "list1": [], ... "text4": "", "list4": [], "choiceA": 2, "text5": "", "list5": [],
//        "choiceB": 0, "mode": 0, "flag": false, "result": 0}
//   8719 {"title": "", "images": ["/path/a.bmp"], "selected": ""}
//   254 {"option0": true, "option1": true, "option2": false, "option3": false, "option4": false}
#include <string>
#include <string_view>

class VlDlgCis2Data;
class VlGridDlgData;
class VlLookUpDlgData;
class VlSelectImageDlgData;

namespace connsheet {

// Each reader fills the object from the text; false, with `error` naming the member and the problem
// ("firstCount: expected a whole number"), when the text is not such an object. Unknown members are
// refused, so a misspelt one is not silently ignored.
bool readDialogData(std::string_view json, VlGridDlgData& data, std::string& error);
bool readDialogData(std::string_view json, VlLookUpDlgData& data, std::string& error);
bool readDialogData(std::string_view json, VlSelectImageDlgData& data, std::string& error);
bool readDialogData(std::string_view json, VlDlgCis2Data& data, std::string& error);

// One line of JSON with every member.
std::string writeDialogData(const VlGridDlgData& data);
std::string writeDialogData(const VlLookUpDlgData& data);
std::string writeDialogData(const VlSelectImageDlgData& data);
std::string writeDialogData(const VlDlgCis2Data& data);

}  // namespace connsheet
