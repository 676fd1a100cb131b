#include "frame/trivial_classes.hpp"

namespace quibor15 {

Long clsQuiborInterplayA::get_PlayMethod() { return play_method_; }

void clsQuiborInterplayA::let_PlayMethod(Long value) { play_method_ = value; }

Variant clsQuiborInterplayA::ActiveUI() { return Variant(); }

Variant clsQuiborInterplayA::PlayUI() { return Variant(); }

}  // namespace quibor15
