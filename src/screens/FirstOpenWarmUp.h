#pragma once

// What the first log opened in a process would otherwise pay for, paid at
// start-up while nobody waits on a screen.
class FirstOpenWarmUp
{
public:
    static void run();
};
