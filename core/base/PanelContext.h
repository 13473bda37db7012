#pragma once

namespace kivo {

class Clock;
class CommandChannel;
class PanelApp;
class PanelPages;
class ProgressSink;
class Prompter;
struct PanelState;

// The pieces that the routines filling the mirror work with, handed over as one.
struct PanelContext {
    PanelApp& app;
    CommandChannel& channel;
    PanelState& state;
    Clock& clock;
    Prompter& prompter;
    PanelPages& pages;
    ProgressSink& progress;
};

} // namespace kivo
