#pragma once

#include <stdexcept>
#include <string>

class Tsp_Filer;

// Raised when an object is assigned from an object of a kind it cannot take.
class EAssignError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Base of the objects that copy themselves from one another and store extra values with the
// form. The generic assignment asks the source to assign itself to the target and fails when
// neither side knows the other.
class Tsp_Persistent {
public:
    Tsp_Persistent() = default;
    Tsp_Persistent(const Tsp_Persistent &) = delete;
    Tsp_Persistent &operator=(const Tsp_Persistent &) = delete;
    virtual ~Tsp_Persistent() = default;

    virtual void Assign(const Tsp_Persistent &Source);
    virtual std::string ClassName() const = 0;

protected:
    virtual void AssignTo(Tsp_Persistent &Dest) const;
    // Values stored beside the published properties; nothing by default.
    virtual void DefineProperties(Tsp_Filer &Filer);

    friend class Tsp_Filer;
};
