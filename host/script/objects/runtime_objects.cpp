#include "host/script/objects/runtime_object.hpp"

namespace quibor15::script {

ObjectRef CreateRuntimeObject(Interpreter& interp, std::u16string_view progid) {
    if (EqualsIgnoreCase(progid, u"Scripting.Dictionary")) return MakeDictionary(interp);
    if (EqualsIgnoreCase(progid, u"Scripting.FileSystemObject")) return MakeFileSystemObject(interp);
    if (EqualsIgnoreCase(progid, u"WScript.Shell")) return MakeShell(interp);
    if (EqualsIgnoreCase(progid, u"VBScript.RegExp")) return MakeRegExp(interp);
    return nullptr;
}

ObjectRef CreateObjectByProgId(Interpreter& interp, std::u16string_view progid) {
    if (ObjectRef obj = CreateRuntimeObject(interp, progid)) return obj;
    ObjectRef obj = interp.Host().CreateObject(progid);
    interp.ForgetFormat();
    return obj;
}

Variant VariantArray(std::vector<Variant> items) {
    SafeArray arr = SafeArray::OneDim(VarType::Variant, 0, static_cast<int32_t>(items.size()) - 1);
    for (size_t i = 0; i < items.size(); ++i) arr.At(static_cast<int32_t>(i)) = std::move(items[i]);
    return Variant(std::move(arr));
}

}  // namespace quibor15::script
