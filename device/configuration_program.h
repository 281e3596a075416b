// Whether a configuration program (the window) runs in this user session. Each holds a
// session-wide named object from its start until its process ends; the companion keeps away
// from the mouse while one exists. The system removes the object with the last process that
// holds it, however that process ends, and a hung program keeps holding it.
#pragma once

// Makes the object, once per process, and keeps it until the process ends. Called before the
// program notifies the companion or talks to the mouse. False when it could not be made.
bool announceConfigurationProgram();

// True while any process of the session holds the object.
bool configurationProgramRunning();
