#pragma once

class MdiContainer;

// Gives the frame every tool the program has: the main menu's buttons and
// the graph window. The program and the window tests both call it.
void RegisterTools(MdiContainer &frame);
