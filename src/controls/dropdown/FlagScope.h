#pragma once
// A flag set for the life of a scope and put back when it ends, also when
// an exception leaves it (the "internal call" flags of the drop-downs).
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : FFlag(Flag), FSaved(Flag) { Flag = true; }
    ~TFlagScope() { FFlag = FSaved; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};
