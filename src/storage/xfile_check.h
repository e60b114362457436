// A structural check of text X files before they are handed to the X-file reader, which
// trusts the counts and indices in a file: a damaged count makes it reserve any amount of
// memory, and faces that name missing vertices make it read outside its tables.
#pragma once

namespace vx {

// True when the bytes are a text X file ("xof " ... "txt ") that the reader can take without
// trusting a bad number. The check walks the file as the reader does (the same words, the
// same blocks, the same numbers in the same order) and judges the numbers the reader relies on:
// - in every Mesh: at least one vertex and one face, every face at least one corner, every
//   corner one of the mesh's vertices;
// - in its MeshNormals: the faces name only the block's own normals;
// - in its SkinWeights: the weighted vertices are the mesh's own;
// - in its MeshMaterialList (at most one per mesh): every face names a material of the list;
// - every element a count announces is in the file, so no count makes the reader reserve more
//   than the file holds;
// - frames nest at most 64 deep.
// Templates and blocks the reader does not use are skipped by their braces, without looking
// at their numbers (a template holding a brace of its own is refused: the reader would end it
// at its first closing brace). Where the reader itself would give up on the file, so does the
// check. Binary and compressed X files are refused.
bool PlausibleXFile(const unsigned char* file, long size);

}  // namespace vx
