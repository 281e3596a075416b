// Whether a configuration program (the window) runs on this machine, in any user's session.
// Each holds a machine-wide named object (device/machine_objects.h; the bus in use names it) from
// its start until its process ends; the companion keeps away from the mouse while one exists. The
// system removes the object with the last process that holds it, however that process ends, and a
// hung program keeps holding it.
#pragma once

// Makes the object, once per process, and keeps it until the process ends. Called before the
// program notifies the companion or talks to the mouse. False when it could not be made.
bool announceConfigurationProgram();

// True while any process holds the object.
bool configurationProgramRunning();
