// The process environment as the platform's GLUT needs it before it starts.
#pragma once

// Makes the environment fit for GLUT on this platform; called first thing by main.
void prepare_environment();
