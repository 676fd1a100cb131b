// The component stores handles as 32-bit values. Window, monitor and GDI
// handles are 32-bit values on 64-bit Windows too (sign-extended), but
// module and resource handles are pointers: those travel as small numbers
// that this table hands out and maps back.
#pragma once

#include <cstdint>
#include <unordered_map>

namespace quibor15::win32 {

class HandleTable {
public:
    // The number of a pointer, made on first use. nullptr is 0.
    int32_t Number(void* pointer) {
        if (!pointer) return 0;
        auto it = numbers_.find(pointer);
        if (it != numbers_.end()) return it->second;
        const int32_t number = next_;
        next_ += kStep;
        numbers_.emplace(pointer, number);
        pointers_.emplace(number, pointer);
        return number;
    }
    // The pointer of a number; nullptr for 0 and for numbers never given.
    void* Pointer(int32_t number) const {
        auto it = pointers_.find(number);
        return it == pointers_.end() ? nullptr : it->second;
    }
    void Forget(int32_t number) {
        auto it = pointers_.find(number);
        if (it == pointers_.end()) return;
        numbers_.erase(it->second);
        pointers_.erase(it);
    }

private:
    // Numbers look like handles (multiples of 4) and stay clear of small
    // values that callers use as flags.
    static constexpr int32_t kStep = 4;
    int32_t next_ = 0x1000;
    std::unordered_map<void*, int32_t> numbers_;
    std::unordered_map<int32_t, void*> pointers_;
};

// A 32-bit user or GDI handle as the pointer-sized handle the API takes.
template <class H>
H UserHandle(int32_t value) noexcept {
    return reinterpret_cast<H>(static_cast<intptr_t>(value));
}
template <class H>
int32_t UserHandleValue(H handle) noexcept {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(handle));
}

}  // namespace quibor15::win32
