#pragma once
// Core work running on a worker thread still talks to the user through the
// services: while one of these lives, the prompter, the message reporter,
// the status text and the progress gauge installed before it are reached
// from any thread. Questions and messages wait for the GUI thread's answer;
// status and gauge changes are posted to it. On the GUI thread itself the
// calls go straight through. Create and destroy it on the GUI thread, with
// no worker using the services at either moment.
#include <memory>

namespace lumora {

class UiThreadServices {
public:
    UiThreadServices();
    ~UiThreadServices();
    UiThreadServices(const UiThreadServices&) = delete;
    UiThreadServices& operator=(const UiThreadServices&) = delete;

private:
    struct Relays;
    std::unique_ptr<Relays> relays_;
};

}  // namespace lumora
