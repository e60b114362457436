// A structural check of text X files before they are handed to the X-file reader, which
// trusts the counts and indices in a file: a damaged count makes it reserve any amount of
// memory, and faces that name missing vertices make it read outside its tables.
#pragma once

namespace vx {

// True when the bytes are a text X file ("xof " ... "txt ") in which
// - every whole number is one a count or index could be: not negative, and no more than the
//   file's size (each element takes at least one byte); coordinates are reals written with a
//   point or an exponent;
// - every Mesh has at least one vertex and one face, every face at least one corner, and
//   every corner names one of the mesh's vertices;
// - every MeshNormals block's faces name only its own normals.
// Binary and compressed X files are refused.
bool PlausibleXFile(const unsigned char* file, long size);

}  // namespace vx
