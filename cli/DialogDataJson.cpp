#include "cli/DialogDataJson.h"

#include <climits>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>

#include "dialogs/VlDlgCis2Data.h"
#include "dialogs/VlGridDlgData.h"
#include "dialogs/VlLookUpDlgData.h"
#include "dialogs/VlSelectImageDlgData.h"

namespace connsheet {
namespace {

using nlohmann::json;

// How one member is read: false with the problem when the value does not fit.
using Reader = std::function<bool(const json&, std::string&)>;

Reader intMember(int& target) {
    return [&target](const json& value, std::string& problem) {
        const bool fits = value.is_number_unsigned() ? value.get<unsigned long long>() <= INT_MAX
                          : value.is_number_integer()
                              ? value.get<long long>() >= INT_MIN && value.get<long long>() <= INT_MAX
                              : false;
        if (!fits) {
            problem = "expected a whole number";
            return false;
        }
        target = static_cast<int>(value.get<long long>());
        return true;
    };
}

Reader boolMember(bool& target) {
    return [&target](const json& value, std::string& problem) {
        if (!value.is_boolean()) {
            problem = "expected true or false";
            return false;
        }
        target = value.get<bool>();
        return true;
    };
}

Reader textMember(Mx_String& target) {
    return [&target](const json& value, std::string& problem) {
        if (!value.is_string()) {
            problem = "expected a text";
            return false;
        }
        target = Mx_String(value.get<std::string>());
        return true;
    };
}

Reader listMember(Mx_StringArray& target) {
    return [&target](const json& value, std::string& problem) {
        if (!value.is_array()) {
            problem = "expected a list of texts";
            return false;
        }
        Mx_StringArray items;
        for (const json& item : value) {
            if (!item.is_string()) {
                problem = "expected a list of texts";
                return false;
            }
            items.append(Mx_String(item.get<std::string>()));
        }
        target = std::move(items);
        return true;
    };
}

template <class Data>
bool readMembers(std::string_view text, Data& data, std::string& error,
                 const std::function<std::map<std::string, Reader>(Data&)>& members) {
    const json document = json::parse(text, nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        error = "expected one JSON object";
        return false;
    }
    Data read = data;
    const std::map<std::string, Reader> readers = members(read);
    for (const auto& [name, value] : document.items()) {
        const auto reader = readers.find(name);
        if (reader == readers.end()) {
            error = name + ": no such member";
            return false;
        }
        std::string problem;
        if (!reader->second(value, problem)) {
            error = name + ": " + problem;
            return false;
        }
    }
    data = std::move(read);
    return true;
}

json list(const Mx_StringArray& items) {
    json array = json::array();
    for (const Mx_String& item : items)
        array.push_back(item.toUtf8());
    return array;
}

}  // namespace

bool readDialogData(std::string_view text, VlGridDlgData& data, std::string& error) {
    return readMembers<VlGridDlgData>(text, data, error, [](VlGridDlgData& d) {
        return std::map<std::string, Reader>{{"firstCount", intMember(d.firstCount)},
                                             {"firstDistance", textMember(d.firstDistance)},
                                             {"firstLabel", textMember(d.firstLabel)},
                                             {"secondCount", intMember(d.secondCount)},
                                             {"secondDistance", textMember(d.secondDistance)},
                                             {"secondLabel", textMember(d.secondLabel)},
                                             {"option", boolMember(d.option)}};
    });
}

bool readDialogData(std::string_view text, VlLookUpDlgData& data, std::string& error) {
    return readMembers<VlLookUpDlgData>(text, data, error, [](VlLookUpDlgData& d) {
        return std::map<std::string, Reader>{
            {"text1", textMember(d.text1)}, {"list1", listMember(d.list1)}, {"text2", textMember(d.text2)},
            {"list2", listMember(d.list2)}, {"text3", textMember(d.text3)}, {"list3", listMember(d.list3)},
            {"text4", textMember(d.text4)}, {"list4", listMember(d.list4)}, {"choiceA", intMember(d.choiceA)},
            {"text5", textMember(d.text5)}, {"list5", listMember(d.list5)}, {"choiceB", intMember(d.choiceB)},
            {"mode", intMember(d.mode)},    {"flag", boolMember(d.flag)},   {"result", intMember(d.result)}};
    });
}

bool readDialogData(std::string_view text, VlSelectImageDlgData& data, std::string& error) {
    return readMembers<VlSelectImageDlgData>(text, data, error, [](VlSelectImageDlgData& d) {
        return std::map<std::string, Reader>{{"title", textMember(d.title)},
                                             {"images", listMember(d.images)},
                                             {"selected", textMember(d.selected)}};
    });
}

bool readDialogData(std::string_view text, VlDlgCis2Data& data, std::string& error) {
    return readMembers<VlDlgCis2Data>(text, data, error, [](VlDlgCis2Data& d) {
        return std::map<std::string, Reader>{{"option0", boolMember(d.option0)},
                                             {"option1", boolMember(d.option1)},
                                             {"option2", boolMember(d.option2)},
                                             {"option3", boolMember(d.option3)},
                                             {"option4", boolMember(d.option4)}};
    });
}

std::string writeDialogData(const VlGridDlgData& d) {
    json out = json::object();
    out["firstCount"] = d.firstCount;
    out["firstDistance"] = d.firstDistance.toUtf8();
    out["firstLabel"] = d.firstLabel.toUtf8();
    out["secondCount"] = d.secondCount;
    out["secondDistance"] = d.secondDistance.toUtf8();
    out["secondLabel"] = d.secondLabel.toUtf8();
    out["option"] = d.option;
    return out.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string writeDialogData(const VlLookUpDlgData& d) {
    json out = json::object();
    out["text1"] = d.text1.toUtf8();
    out["list1"] = list(d.list1);
    out["text2"] = d.text2.toUtf8();
    out["list2"] = list(d.list2);
    out["text3"] = d.text3.toUtf8();
    out["list3"] = list(d.list3);
    out["text4"] = d.text4.toUtf8();
    out["list4"] = list(d.list4);
    out["choiceA"] = d.choiceA;
    out["text5"] = d.text5.toUtf8();
    out["list5"] = list(d.list5);
    out["choiceB"] = d.choiceB;
    out["mode"] = d.mode;
    out["flag"] = d.flag;
    out["result"] = d.result;
    return out.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string writeDialogData(const VlSelectImageDlgData& d) {
    json out = json::object();
    out["title"] = d.title.toUtf8();
    out["images"] = list(d.images);
    out["selected"] = d.selected.toUtf8();
    return out.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string writeDialogData(const VlDlgCis2Data& d) {
    json out = json::object();
    out["option0"] = d.option0;
    out["option1"] = d.option1;
    out["option2"] = d.option2;
    out["option3"] = d.option3;
    out["option4"] = d.option4;
    return out.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace connsheet
