// Shutting the machine down and putting it to sleep, behind an interface so that
// the completion handling can be run without reaching either.
#pragma once

class PowerActions {
public:
    virtual ~PowerActions() = default;
    // Asks Windows to shut down in 30 seconds (applications not forced, no restart).
    virtual void ShutdownSystem() = 0;
    // Puts the machine to sleep.
    virtual void SuspendSystem() = 0;
};

// The real actions, with the shutdown privilege enabled first. Refusals are logged.
class SystemPowerActions : public PowerActions {
public:
    void ShutdownSystem() override;
    void SuspendSystem() override;
};
