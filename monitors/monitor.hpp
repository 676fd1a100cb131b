// One display monitor as the monitor list reports it: eleven plain Long
// fields. Assignments only store; Width and Height are stored values and do
// not follow Left, Right, Top or Bottom.
#pragma once

#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborMonitorA final : public _clsQuiborMonitorA {
public:
    using _clsQuiborMonitorA::_clsQuiborMonitorA;

    Long get_Handle() override { return handle_; }
    void let_Handle(Long& value) override { handle_ = value; }
    Long get_Height() override { return height_; }
    void let_Height(Long& value) override { height_ = value; }
    Long get_Width() override { return width_; }
    void let_Width(Long& value) override { width_ = value; }
    Long get_Left() override { return left_; }
    void let_Left(Long& value) override { left_ = value; }
    Long get_Right() override { return right_; }
    void let_Right(Long& value) override { right_ = value; }
    Long get_Top() override { return top_; }
    void let_Top(Long& value) override { top_ = value; }
    Long get_Bottom() override { return bottom_; }
    void let_Bottom(Long& value) override { bottom_ = value; }
    Long get_WorkLeft() override { return work_left_; }
    void let_WorkLeft(Long& value) override { work_left_ = value; }
    Long get_WorkRight() override { return work_right_; }
    void let_WorkRight(Long& value) override { work_right_ = value; }
    Long get_WorkTop() override { return work_top_; }
    void let_WorkTop(Long& value) override { work_top_ = value; }
    Long get_WorkBottom() override { return work_bottom_; }
    void let_WorkBottom(Long& value) override { work_bottom_ = value; }

    // Fills the record from a monitor handle: the handle, the monitor
    // rectangle and work area as GetMonitorInfoA reports them (all zero when
    // it fails), then Height and Width. A size that does not fit a Long
    // stops the fill quietly; the fields stored before it stay.
    void FillFromHandle(Handle monitor);

private:
    Long handle_ = 0;
    Long height_ = 0;
    Long width_ = 0;
    Long left_ = 0;
    Long right_ = 0;
    Long top_ = 0;
    Long bottom_ = 0;
    Long work_left_ = 0;
    Long work_right_ = 0;
    Long work_top_ = 0;
    Long work_bottom_ = 0;
};

}  // namespace quibor15
