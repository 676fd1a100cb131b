#include "language/resource_text.hpp"

#include <algorithm>
#include <optional>

#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

constexpr int32_t kRtString = 6;
constexpr Long kEnglishUnitedStates = 1033;
constexpr Long kStringsPerBlock = 16;
// String identifiers are 16-bit resource names.
constexpr Long kLastIdentifier = 0xFFFF;

[[noreturn]] void BlockOverrun() { RaiseRuntimeError(rt::kSubscriptOutOfRange); }

// Reads one entry's 16-bit length (little-endian) at `offset`.
size_t EntryLength(const std::vector<uint8_t>& block, size_t offset) {
    if (offset + 2 > block.size()) BlockOverrun();
    return static_cast<size_t>(block[offset] | (block[offset + 1] << 8));
}

String EntryText(const std::vector<uint8_t>& block, size_t offset, size_t length) {
    if (offset + 2 * length > block.size()) BlockOverrun();
    String text(length, u'\0');
    for (size_t i = 0; i < length; ++i) {
        const size_t at = offset + 2 * i;
        text[i] = static_cast<char16_t>(block[at] | (block[at + 1] << 8));
    }
    return text;
}

// Walks a block of 16 entries, each a length and that many code units, for
// the entry of `identifier`. A block shorter than its entries say raises 9.
std::optional<String> FindEntry(const std::vector<uint8_t>& block, Long first_identifier, Long identifier) {
    size_t offset = 0;
    for (Long id = first_identifier; id < first_identifier + kStringsPerBlock; ++id) {
        const size_t length = EntryLength(block, offset);
        offset += 2;
        if (length == 0) continue;
        if (id == identifier) return EntryText(block, offset, length);
        if (offset + 2 * length > block.size()) BlockOverrun();
        offset += 2 * length;
    }
    return std::nullopt;
}

// The module and resource handles a lookup opened, released however the
// lookup ends.
class OpenedResources {
public:
    explicit OpenedResources(WindowsServices& windows) : windows_(windows) {}
    OpenedResources(const OpenedResources&) = delete;
    OpenedResources& operator=(const OpenedResources&) = delete;
    ~OpenedResources() {
        try {
            if (loaded_ != 0) windows_.FreeResource(loaded_);
            // Handle 0 is the host program itself, which is not freed.
            if (module_ != 0) windows_.FreeLibrary(module_);
        } catch (const AutomationError&) {
            // Releasing is best effort; the text is already decided.
        }
    }

    Handle module_ = 0;
    Handle loaded_ = 0;

private:
    WindowsServices& windows_;
};

String ReadString(Context& context, Long identifier, Long language) {
    WindowsServices& windows = context.Windows();
    const String& path = context.ModuleState<ResourceLoaderState>().module_path;
    OpenedResources opened(windows);
    // A module that cannot be loaded gives handle 0, and the search below
    // then runs in the host program's own module.
    opened.module_ = windows.LoadLibraryA(path);
    if (identifier < 0 || identifier > kLastIdentifier) return String();  // no block can hold it

    const Long block_number = identifier / kStringsPerBlock + 1;
    const Handle resource = windows.FindResourceExA(opened.module_, kRtString, block_number, language);
    if (resource == 0) return String();

    opened.loaded_ = windows.LoadResource(opened.module_, resource);
    const uint32_t size = windows.SizeofResource(opened.module_, resource);
    std::vector<uint8_t> block;
    if (size > 0) {
        block = windows.LockResource(opened.loaded_);
        // Never read past what the resource holds, whatever size it claims.
        block.resize(std::min<size_t>(block.size(), size));
    }
    return FindEntry(block, (block_number - 1) * kStringsPerBlock, identifier).value_or(String());
}

String ApplicationTitle(HostRuntime& host) {
    try {
        return VariantToString(LateGet(host.App(), u"Title"));
    } catch (const AutomationError&) {
        return String();
    }
}

}  // namespace

String ResourceText(Context& context, Long identifier) {
    Long& language = context.ModuleState<ResourceLoaderState>().dialog_language;
    if (language == 0) language = kEnglishUnitedStates;
    return LoadResourceString(context, identifier, language);
}

String LoadResourceString(Context& context, Long identifier, Long language) {
    try {
        return ReadString(context, identifier, language);
    } catch (const AutomationError& e) {
        // The user is told once; retrying the same step would only fail the
        // same way again, so the lookup ends with no text.
        context.Host().MsgBox(DecimalText(e.Number()) + u" - " + e.Description(), mb::kIconCritical,
                              ApplicationTitle(context.Host()));
        return String();
    }
}

String LibraryModulePath(HostRuntime& host) {
    const ObjectRef app = host.App();
    const String folder = VariantToString(LateGet(app, u"Path"));
    const String name = VariantToString(LateGet(app, u"EXEName"));
    return FolderPrefix(folder) + name + u".dll";
}

}  // namespace quibor15
