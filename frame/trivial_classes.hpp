// The three classes without behaviour of their own: clsQuibor15A and
// clsQuiborWUIRunTimeB have no members, clsQuiborInterplayA holds one Long.
#pragma once

#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuibor15A final : public _clsQuibor15A {
public:
    using _clsQuibor15A::_clsQuibor15A;
};

class clsQuiborWUIRunTimeB final : public _clsQuiborWUIRunTimeB {
public:
    using _clsQuiborWUIRunTimeB::_clsQuiborWUIRunTimeB;
};

class clsQuiborInterplayA final : public _clsQuiborInterplayA {
public:
    using _clsQuiborInterplayA::_clsQuiborInterplayA;

    // The stored value, 0 on a new object; a let stores any value unchanged.
    Long get_PlayMethod() override;
    void let_PlayMethod(Long value) override;
    // Do nothing and return Empty.
    Variant ActiveUI() override;
    Variant PlayUI() override;

private:
    Long play_method_ = 0;
};

}  // namespace quibor15
