#pragma once

// What the system record needs from the controller link to suspend and
// resume the controller's module link around block exchanges.
class CLinkControl {
public:
    virtual ~CLinkControl() = default;
    virtual bool IsPortOpen() const = 0;
    virtual bool StartModuleLink() = 0;
    virtual bool StopModuleLink() = 0;
};
