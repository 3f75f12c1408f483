// A small program for flat draws: each vertex carries its colour, and fragments take it as it
// is. It draws what the interface program draws in mode 0, without that program's effect
// modes, whose shading a software renderer pays for on every fragment of every draw. It fades
// smoothed lines drawn as triangles at their edges as the interface program does.
#pragma once

// Builds the program in the current context; 0 when it does not compile or link. Its colour
// attribute is "vertexColour".
unsigned buildFlatProgram();
