// The drawings a calculation run wrote, kept in memory under the names the
// report's "InsertDxf=" directives give them, so that the report's pictures
// are painted from them instead of from the files read back. The run's work
// context points at the shelf; whoever writes a result drawing puts it there.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class DXF;

class DrawingShelf {
  public:
    // Keeps drawing under fileName, replacing one kept under it before.
    void keep(const std::string& fileName, std::shared_ptr<const DXF> drawing);
    // The drawing kept under fileName; null when there is none.
    std::shared_ptr<const DXF> find(const std::string& fileName) const;

    // A drawing of the run that could not be written (a full disk): the run
    // has failed, whatever else it did, and names the file.
    void noteUnwritten(const std::string& path);
    std::vector<std::string> unwritten() const;

  private:
    mutable std::mutex m_mutex;
    std::map<std::string, std::shared_ptr<const DXF>> m_drawings;
    std::vector<std::string> m_unwritten;
};

// Writes drawing as the file fileName of dir (an existing file of that name in
// another letter case is overwritten) and, once written, keeps it on shelf
// when there is one; a drawing that could not be written is noted there as
// unwritten. 1 when written; a null drawing writes nothing.
int writeResultDrawing(std::unique_ptr<DXF> drawing, const std::string& dir,
                       const std::string& fileName, DrawingShelf* shelf);
