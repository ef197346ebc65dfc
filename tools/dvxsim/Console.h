#pragma once

#include "Controller.h"
#include "ControllerMemory.h"

#include <string>
#include <vector>

// The vehicle side of the simulation, typed on standard input: switch input
// channels, look at a loop's states and at an equation, quit. Every command
// answers with at least one line so a script can wait for it.
class CConsole {
public:
    static constexpr const char* kCommands =
        "  set LOOP MODULE CHANNEL 0|1  switch a channel off or on, as if the vehicle did\n"
        "  loop LOOP                    print the states of the loop's 160 channels\n"
        "  equation LOOP MODULE CHANNEL print a channel's equation, flags and state\n"
        "  label LOOP MODULE CHANNEL TEXT  set a channel's label, as if typed on the CPU\n"
        "  status                       print processor, pause, link and report settings\n"
        "  help                         print these commands\n"
        "  quit                         remove the link and stop\n"
        "LOOP is 0..5 or blue, yellow, virtual, tmrenbl, tmrdone, tmrrun; MODULE is a\n"
        "letter A..P; CHANNEL is 1..10.\n";

    CConsole(CControllerMemory& memory, const CController& controller)
        : m_memory(memory), m_controller(controller) {}

    // Runs one typed line and returns what to print.
    std::string Execute(const std::string& strLine);
    bool IsQuitRequested() const { return m_bQuit; }

    // The equation's text as the PC shows it ("Q=(Blue_Chl_A1)*(!...)"), with
    // the controller's own labels; "" when no equation is defined.
    static std::string EquationText(const CControllerMemory& memory, int nIndex);

private:
    using Words = std::vector<std::string>;
    std::string Set(const Words& aWords);
    std::string Loop(const Words& aWords) const;
    std::string Equation(const Words& aWords) const;
    std::string Label(const Words& aWords, const std::string& strLine);
    std::string Status() const;
    // The channel index named by words 1..3, or -1.
    static int ChannelIndex(const Words& aWords);
    static int ParseLoop(const std::string& strWord);

    CControllerMemory& m_memory;
    const CController& m_controller;
    bool m_bQuit = false;
};
