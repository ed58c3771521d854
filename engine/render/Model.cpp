#include "engine/render/Model.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

#include <tiny_obj_loader.h>

#include "engine/io/RegularFile.h"
#include "engine/core/TextParse.h"

namespace ReEng {

namespace {

// A '#' starts a comment anywhere on a line.
std::string WithoutComment(const std::string& line) { return line.substr(0, line.find('#')); }

// One face corner, "v", "v/t", "v//n" or "v/t/n": each index a whole number,
// counted from 1 (or back from -1), within what the file declares.
// tinyobjloader would wrap a huge index round to a small one without a word.
bool CheckCorner(const std::string& corner, const long long (&counts)[3], std::string& what) {
    static const char* const kNames[] = {"vertex", "texture", "normal"};
    std::size_t start = 0;
    for (int part = 0; part < 3 && start <= corner.size(); ++part) {
        const std::size_t slash = corner.find('/', start);
        const std::string index = corner.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        start = slash == std::string::npos ? corner.size() + 1 : slash + 1;
        if (index.empty() && part > 0) continue;  // "v//n" has no texture index
        const bool negative = !index.empty() && index[0] == '-';
        long long value = 0;
        if (!ParseDigits(index.substr(negative ? 1 : 0), counts[part], value) || value == 0) {
            what = std::string(kNames[part]) + " index '" + Excerpt(index) + "' out of range (" +
                   std::to_string(counts[part]) + " declared)";
            return false;
        }
    }
    return true;
}

// tinyobjloader reads "nan" and "inf" as 0 and wraps huge face indices, so
// the text is checked before it sees it.
bool CheckText(const std::string& text, std::string& what) {
    long long counts[3] = {0, 0, 0};  // v, vt, vn lines
    {
        std::istringstream lines(text);
        std::string keyword;
        for (std::string line; std::getline(lines, line);) {
            std::istringstream words(WithoutComment(line));
            if (!(words >> keyword)) continue;
            if (keyword == "v") ++counts[0];
            if (keyword == "vt") ++counts[1];
            if (keyword == "vn") ++counts[2];
        }
    }
    std::istringstream lines(text);
    std::string line;
    for (unsigned number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(WithoutComment(line));
        std::string keyword;
        const std::string where = "line " + std::to_string(number) + ": ";
        if (!(words >> keyword)) continue;
        if (keyword == "f") {
            long long corners = 0;
            for (std::string corner; words >> corner;) {
                if (!CheckCorner(corner, counts, what)) {
                    what = where + what;
                    return false;
                }
                ++corners;
            }
            // The loader cuts a polygon into triangles in time that grows with
            // the square of its corners: one face of 80,000 took seconds.
            if (corners > Model::kMaxFaceCorners) {
                what = where + "a face of " + std::to_string(corners) + " corners (at most " +
                       std::to_string(Model::kMaxFaceCorners) + ")";
                return false;
            }
            continue;
        }
        if (keyword != "v" && keyword != "vn") continue;
        for (std::string word; words >> word;) {
            char* end = nullptr;
            const double value = std::strtod(word.c_str(), &end);
            if (end != word.c_str() + word.size() || !std::isfinite(value)) {
                what = where + "coordinate '" + Excerpt(word) + "' is not a finite number";
                return false;
            }
            if (std::abs(value) > Model::kMaxCoordinate) {
                what = where + "coordinate '" + Excerpt(word) + "' is out of range";
                return false;
            }
        }
    }
    return true;
}

std::string OneLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

vector3 FaceNormal(const vector3& a, const vector3& b, const vector3& c) {
    const vector3 n = glm::cross(b - a, c - a);
    const float length = glm::length(n);
    // A degenerate triangle has no direction; any unit vector keeps the shader sane.
    return length > 1e-20f ? n / length : vector3(0.0f, 0.0f, 1.0f);
}

// tinyobjloader only knows whole-line comments.
std::string WithoutComments(const std::string& text) {
    std::string clean;
    clean.reserve(text.size());
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) clean += WithoutComment(line) + '\n';
    return clean;
}

bool ParseObj(const std::string& clean, tinyobj::ObjReader& reader, std::string& what) {
    tinyobj::ObjReaderConfig config;
    config.triangulate = true;
    config.vertex_color = false;
    // Materials are not used; from a string the mtllib lines are skipped.
    if (reader.ParseFromString(clean, "", config)) return true;
    // The loader's words may quote the file: keep them short and printable.
    std::string why = OneLine(reader.Error());
    if (why.size() > 160) why = why.substr(0, 160) + "...";
    what = Printable(why);
    return false;
}

vector3 Position(const tinyobj::attrib_t& attrib, int i) {
    return vector3(attrib.vertices[3 * i], attrib.vertices[3 * i + 1], attrib.vertices[3 * i + 2]);
}

// tinyobjloader only warns about indices past the end; reading them would
// overrun. `haveNormals`: whether every corner names a normal.
bool CheckFace(const tinyobj::index_t* face, const tinyobj::attrib_t& attrib, bool& haveNormals, std::string& what) {
    const long vertexCount = static_cast<long>(attrib.vertices.size() / 3);
    const long normalCount = static_cast<long>(attrib.normals.size() / 3);
    haveNormals = true;
    for (int k = 0; k < 3; ++k) {
        if (face[k].vertex_index < 0 || face[k].vertex_index >= vertexCount) {
            what = "vertex index " + std::to_string(face[k].vertex_index + 1) + " out of range (" +
                   std::to_string(vertexCount) + " vertices)";
            return false;
        }
        if (face[k].normal_index >= normalCount || face[k].normal_index < -1) {
            what = "normal index " + std::to_string(face[k].normal_index + 1) + " out of range (" +
                   std::to_string(normalCount) + " normals)";
            return false;
        }
        if (face[k].normal_index < 0) haveNormals = false;
    }
    return true;
}

// A checked triangle's corners, with the file's normals, or with the face's
// own where the file leaves any corner without.
void AddFace(const tinyobj::attrib_t& attrib, const tinyobj::index_t* face, bool haveNormals,
             std::vector<vector3>& positions, std::vector<vector3>& normals) {
    const vector3 a = Position(attrib, face[0].vertex_index);
    const vector3 b = Position(attrib, face[1].vertex_index);
    const vector3 c = Position(attrib, face[2].vertex_index);
    positions.push_back(a);
    positions.push_back(b);
    positions.push_back(c);
    if (!haveNormals) {
        normals.insert(normals.end(), 3, FaceNormal(a, b, c));
        return;
    }
    for (int k = 0; k < 3; ++k) {
        const int n = face[k].normal_index;
        normals.emplace_back(attrib.normals[3 * n], attrib.normals[3 * n + 1], attrib.normals[3 * n + 2]);
    }
}

// Every shape's faces, each a triangle once the loader has cut them up.
bool AddShapes(const tinyobj::ObjReader& reader, std::vector<vector3>& positions, std::vector<vector3>& normals,
               std::string& what) {
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        const std::vector<tinyobj::index_t>& indices = shape.mesh.indices;
        std::size_t offset = 0;
        for (unsigned faceVertices : shape.mesh.num_face_vertices) {
            if (faceVertices != 3 || offset + 3 > indices.size()) {
                what = "a face is not a triangle";
                return false;
            }
            const tinyobj::index_t* face = &indices[offset];
            offset += 3;
            bool haveNormals = true;
            if (!CheckFace(face, attrib, haveNormals, what)) return false;
            AddFace(attrib, face, haveNormals, positions, normals);
        }
    }
    if (!positions.empty()) return true;
    what = "no triangles";
    return false;
}

}  // namespace

bool Model::LoadObj(const std::string& file, std::string& error) {
    std::string text;
    const FileReadResult result = ReadRegularFile(file, kMaxBytes, text, error);
    if (result != FileReadResult::Ok) {
        Reset();
        missing = result == FileReadResult::Missing;
        error = "cannot open model file " + error;
        return false;
    }
    return LoadObjText(text, file, error);
}

void Model::Reset() {
    positions.clear();
    normals.clear();
    vertices.clear();
    loaded = false;
    missing = false;
}

bool Model::LoadObjText(const std::string& text, const std::string& name, std::string& error) {
    Reset();
    std::string what;
    tinyobj::ObjReader reader;
    // Checked before the loader sees it (it wraps huge indices, knows only
    // whole-line comments), and read back after (it only warns of indices
    // past the end), so no bad file reaches the geometry.
    if (!CheckText(text, what) || !ParseObj(WithoutComments(text), reader, what) ||
        !AddShapes(reader, positions, normals, what)) {
        Reset();
        error = "bad model file '" + Printable(name) + "': " + what;
        return false;
    }
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    const long vertexCount = static_cast<long>(attrib.vertices.size() / 3);
    vertices.reserve(static_cast<std::size_t>(vertexCount));
    for (long i = 0; i < vertexCount; ++i) vertices.push_back(Position(attrib, static_cast<int>(i)));
    loaded = true;
    return true;
}

}  // namespace ReEng
