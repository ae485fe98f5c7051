#pragma once
// The self-running demonstration: caption panels explaining the board, and
// between them a script that drives the main window's own controls.

namespace kelvara {

class QuincunxForm;

class Demonstration {
public:
    explicit Demonstration(QuincunxForm &mainWindow);

    /// The demonstration button's click: plays the script to its end or to an Esc.
    void start();

private:
    QuincunxForm &m_main;
};

} // namespace kelvara
