// The accessor's shell file-type registration.

#include <exception>
#include <string>

#include "platform/Failure.h"
#include "platform/RegistryApi.h"
#include "registry/cRegistry.h"

namespace {

const char kMachineClasses[] = "SOFTWARE\\Classes\\";

std::string Trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The executable path in double quotation marks, however the caller quoted
// it. An empty path ends up as a single quotation mark.
std::string QuotedPath(const std::string& sExePath) {
    std::string path = Trimmed(sExePath);
    if (path.empty() || path.front() != '"') path.insert(path.begin(), '"');
    if (path.back() != '"') path.push_back('"');
    return path;
}

}  // namespace

void cRegistry::WriteClassesValue(const std::string& sValue) {
    classKey_ = kHkeyClassesRoot;
    Value(sValue);
    std::string section = sectionKey_;
    classKey_ = kHkeyLocalMachine;
    sectionKey_ = kMachineClasses + section;
    Value(sValue);
    sectionKey_ = section;
}

void cRegistry::CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                                     const std::string& sClassDescription, const std::string& sAssociation,
                                     const std::string& sOpenMenuText, bool bSupportPrint,
                                     const std::string& sPrintMenuText, bool bSupportNew,
                                     const std::string& sNewMenuText, bool bSupportInstall,
                                     const std::string& sInstallMenuText, std::int32_t lDefaultIconIndex) {
    const std::string path = QuotedPath(sExePath);
    const std::string document = "\"%1\"";

    sectionKey_ = "." + sAssociation;
    valueType_ = kRegSz;
    valueKey_.clear();
    WriteClassesValue(sClassName);

    sectionKey_ = sClassName;
    WriteClassesValue(sClassDescription);

    auto writeVerb = [&](const std::string& verb, const std::string& menuText, const std::string& fallback,
                         const std::string& command) {
        sectionKey_ = sClassName + "\\shell\\" + verb;
        valueKey_.clear();
        WriteClassesValue(menuText.empty() ? fallback : menuText);
        sectionKey_ = sClassName + "\\shell\\" + verb + "\\command";
        valueKey_.clear();
        WriteClassesValue(command);
    };

    writeVerb("open", sOpenMenuText, "&Open", path + " " + document);
    if (bSupportPrint) writeVerb("print", sPrintMenuText, "&Print", path + " /p " + document);
    // Install comes before new, whatever the order of the parameters.
    if (bSupportInstall) writeVerb("add", sInstallMenuText, "&Install " + sAssociation, path + " /a " + document);
    if (bSupportNew) writeVerb("new", sNewMenuText, "&New", path + " /n " + document);
    if (lDefaultIconIndex > -1) {
        sectionKey_ = sClassName + "\\DefaultIcon";
        valueKey_.clear();
        WriteClassesValue(path + "," + std::to_string(lDefaultIconIndex));
    }
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<TaggedValue>& vItems) {
    if (vItems.size() % 3 != 0) {
        throw Failure(kErrInvalidVerbList, source_,
                      "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
                      "Name/Text/Command");
    }

    // The class is looked for where CreateEXEAssociation registered it first,
    // below HKEY_CLASSES_ROOT, whatever root the caller left in ClassKey;
    // that root is put back for the caller.
    sectionKey_ = sClassName;
    const std::int32_t callersRoot = classKey_;
    classKey_ = kHkeyClassesRoot;
    const bool classDefined = KeyExists();
    classKey_ = callersRoot;
    if (!classDefined) {
        throw Failure(kErrClassNotDefined, source_,
                      "Error - attempt to create additional associations before class defined.");
    }

    // Every write of the list is attempted; the first one that failed is
    // then passed on, so the caller learns the list was not written whole.
    std::exception_ptr firstFailure;
    auto attempt = [&](auto&& step) {
        try {
            step();
        } catch (const Failure&) {
            if (!firstFailure) firstFailure = std::current_exception();
        }
    };
    for (std::size_t i = 0; i + 3 <= vItems.size(); i += 3) {
        std::string verbKey = sClassName;
        verbKey += "\\shell\\";
        verbKey += ToText(vItems[i]);
        valueType_ = kRegSz;
        sectionKey_ = verbKey;
        valueKey_.clear();
        attempt([&] { WriteClassesValue(ToText(vItems[i + 1])); });
        sectionKey_ = verbKey + "\\command";
        valueKey_.clear();
        attempt([&] { WriteClassesValue(ToText(vItems[i + 2])); });
    }
    if (firstFailure) std::rethrow_exception(firstFailure);
}
