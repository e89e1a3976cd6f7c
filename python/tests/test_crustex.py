"""The Python module against the program: the batch program's own outputs, the
field grid against points, units, shapes and bad input."""

import json
import os
import subprocess

import numpy as np
import pytest

import crustex

SOURCE = os.environ.get("CRUSTEX_SOURCE_DIR",
                        os.path.join(os.path.dirname(__file__), "..", ".."))
BATCH = os.environ.get("CRUSTEX_BATCH", "")


def example(name):
    return os.path.join(SOURCE, "examples", name)


@pytest.fixture(scope="module")
def twenty():
    return crustex.read_model(example("twenty-sources.wrk.txt"))


@pytest.fixture(scope="module")
def inp():
    return crustex.read_model(example("slip-example.inp"))


def batch(tmp_path, *words):
    """Runs crustex-batch and returns the path of its output."""
    if not BATCH:
        pytest.skip("crustex-batch not built")
    out = str(tmp_path / ("out." + words[-1]))
    subprocess.run([BATCH, *words[:-1], "-o", out], check=True, capture_output=True)
    return out


def csvcolumns(path):
    lines = [line for line in open(path) if not line.startswith("#")]
    names = lines[0].strip().split(",")
    rows = [line.rstrip("\n").split(",") for line in lines[1:]]
    out = {}
    for k, n in enumerate(names):
        try:
            out[n] = np.array([np.float32(r[k]) if r[k] else np.nan for r in rows], np.float32)
        except ValueError:
            pass  # a column of names
    return out


@pytest.mark.parametrize("name,keys", [
    ("twenty-sources.wrk.txt", ("ux", "uz", "sxy", "cffpara", "cmpdispl")),
    ("hualien.wrk.txt", ("uy", "los", "cmpstrain")),  # on a map: meridian angles
    ("slip-example.inp", ("cffoop", "tilt1")),  # a regional stress
])
def test_points_are_the_grid_nodes_bit_for_bit(name, keys):
    model = crustex.read_model(example(name))
    g = crustex.grid(model, keys, threads=2)
    assert g["x"].shape == (len(model.grid.y), len(model.grid.x))
    assert g["x"][0, -1] > g["x"][0, 0] and g["y"][-1, 0] > g["y"][0, 0]
    p = crustex.evaluate(model, g["x"], g["y"], quantities=keys, threads=1)
    assert set(p) == set(g) - {"x", "y"}
    for k in p:
        assert p[k].dtype == np.float32 and p[k].shape == g[k].shape
        np.testing.assert_array_equal(p[k], g[k], err_msg=k)
        assert np.isfinite(g[k]).mean() > 0.99


@pytest.mark.parametrize("model,quantities", [
    ("slip-example.inp", "uz,cffpara,cffoop"),
    ("twenty-sources.wrk.txt", "uy,volstrain,tilt2"),
])
def test_grid_equals_the_batch_grid(tmp_path, model, quantities):
    out = csvcolumns(batch(tmp_path, "grid", example(model), "--quantities", quantities,
                           "--units", "MPa", "csv"))
    g = crustex.grid(crustex.read_model(example(model)), quantities.split(","), units="MPa")
    i = np.searchsorted(g.xnodes, out["x_km"])
    j = np.searchsorted(g.ynodes, out["y_km"])
    np.testing.assert_array_equal(g.xnodes[i].astype(np.float32), out["x_km"])
    for key in set(g) - {"x", "y"}:
        column = next(n for n in out if n.startswith(key + "_"))
        np.testing.assert_array_equal(g[key][j, i], out[column], err_msg=key)
    stems = {n.rsplit("_", 1)[0] for n in out} - {"x", "y", "lon", "lat"}
    assert stems == set(g) - {"x", "y"}


def test_section_and_receivers_equal_the_batch(tmp_path, inp):
    sec = crustex.section(inp, (-10, 5), (30, 25), (0, 12), 2.5, quantities=("uz", "cffpara"))
    out = csvcolumns(batch(tmp_path, "section", example("slip-example.inp"), "--from", "-10,5",
                           "--to", "30,25", "--depth", "0,12", "--step", "2.5", "--quantities",
                           "uz,cffpara", "csv"))
    assert sec["uz"].shape == (len(sec["depth"]), len(sec["distance"])) == (5, 18)
    i = np.searchsorted(sec["distance"], out["distance_km"])
    j = np.searchsorted(sec["depth"], out["depth_km"])
    np.testing.assert_array_equal(sec["uz"][j, i], out["uz_mm"])
    np.testing.assert_array_equal(sec["x"][i], out["x_km"])

    twenty = crustex.read_model(example("twenty-sources.wrk.txt"))
    rec = crustex.receivers(twenty, "sources", rake=45, split=(2, 3), units="MPa")
    out = csvcolumns(batch(tmp_path, "receivers", example("twenty-sources.wrk.txt"),
                           "--receivers", "sources", "--rake", "45", "--split", "2x3", "--units",
                           "MPa", "csv"))
    assert len(rec["cff"]) == len(out["cff_MPa"]) == 6 * 16 and rec["unit"] == "MPa"
    for key in ("x", "depth", "strike", "shear", "cff"):
        column = next(n for n in out if n.startswith(key + "_"))
        np.testing.assert_array_equal(rec[key], out[column], err_msg=key)


def test_fit_equals_the_batch_json(tmp_path):
    model = crustex.read_model(example("sites-example-start.wrk.txt"))
    sites = example("sites-example.obs.txt")
    r = crustex.fit(model, sites, free={1: ("slip", "rake")}, bounds={(1, "slip"): (0, 5)},
                    starts=2)
    out = batch(tmp_path, "fit", example("sites-example-start.wrk.txt"), sites, "--free",
                "1:slip,rake", "--bounds", "1:slip=0..5", "--starts", "2", "json")
    assert r == json.load(open(out))
    assert r["rms_after"] < r["rms_before"]
    with pytest.raises(ValueError, match="no source 7"):
        crustex.fit(model, sites, free={7: "slip"})


def test_units_shapes_and_no_values(twenty, inp):
    x = np.array([[60.0, 90.5, 130.25], [40.0, np.nan, 100.0]])
    a = crustex.evaluate(twenty, x, 100.0, depth=[[0], [7.5]], quantities=("cffpara",))
    b = crustex.evaluate(twenty, x, 100.0, depth=[[0], [7.5]], quantities=("cffpara",),
                         units="bar")
    assert a["cffpara"].shape == (2, 3) and np.isnan(a["cffpara"][1, 1])
    assert (a.units["cffpara"], b.units["cffpara"]) == ("1e-6", "bar")
    np.testing.assert_allclose(b["cffpara"], a["cffpara"] * twenty.shear_modulus * 1e-6,
                               rtol=1e-6)
    # A point on a fault's upper edge has no value, as in the batch outputs.
    s = twenty.sources[0]
    edge = crustex.evaluate(twenty, (s["x0"] + s["x1"]) / 2, s["y0"], depth=s["top"])
    assert np.isnan(edge["ux"]) and edge.units["ux"] == "mm"
    assert crustex.evaluate(twenty, [], [])["uz"].shape == (0,)
    los = crustex.line_of_sight(inp, [5.0, 20.0], [10.0, 30.0], heading=190, incidence=34)
    d = crustex.evaluate(inp, [5.0, 20.0], [10.0, 30.0])
    look = np.array([-np.cos(np.radians(190)) * np.sin(np.radians(34)),
                     np.sin(np.radians(190)) * np.sin(np.radians(34)), np.cos(np.radians(34))])
    np.testing.assert_allclose(los, look @ np.array([d["ux"], d["uy"], d["uz"]]), rtol=1e-5)


def test_model_read_built_and_mapped(inp):
    p = inp.patches
    assert len(p) == 24 * 12 and p["strike"][0] == pytest.approx(25, abs=0.01)
    assert len(inp.sources) == 0 and (inp.poisson, inp.friction) == (0.25, 0.4)
    built = crustex.Model.from_patches(p, field=inp.field, shear_modulus=inp.shear_modulus,
                                       friction=inp.friction)
    np.testing.assert_array_equal(built.grid.x, inp.grid.x)
    a = crustex.evaluate(inp, [3.0, 40.0], [-5.0, 22.5], depth=2, quantities=("uz", "sxx"))
    b = crustex.evaluate(built, [3.0, 40.0], [-5.0, 22.5], depth=2, quantities=("uz", "sxx"))
    for k in a:
        np.testing.assert_array_equal(a[k], b[k])
    lon, lat = inp.map_frame.to_lonlat([10.0, -3.0], [20.0, 7.0])
    x, y = inp.map_frame.to_xy(lon, lat)
    np.testing.assert_allclose([x, y], [[10, -3], [20, 7]], atol=1e-3)
    csv = crustex.read_model(example("slip-example.csv"))
    lon, lat = csv.map_frame.to_lonlat(csv.patches["x0"][:1], csv.patches["y0"][:1])
    assert len(csv.patches) == len(p) and abs(lon[0] - 135.03) < 0.05 and 34.6 < lat[0] < 34.7


@pytest.mark.parametrize("call,error,match", [
    (lambda m: crustex.read_model("/nonexistent/model.wrk.txt"), OSError, "cannot read"),
    (lambda m: crustex.fit(m, "/nonexistent/sites.obs", free={1: "slip"}), OSError, "cannot"),
    (lambda m: crustex.read_model(os.path.join(SOURCE, "README.md")), ValueError,
     "cannot use the work file"),
    (lambda m: crustex.Model.from_patches({"x0": [1.0]}, field=m.field), ValueError, "need y0"),
    (lambda m: crustex.evaluate(m, [1.0, 2.0], [1.0, 2.0, 3.0]), ValueError, "broadcast"),
    (lambda m: crustex.evaluate(m, [1.0], [1.0], quantities=("nosuch",)), ValueError,
     "unknown quantity"),
    (lambda m: crustex.evaluate(m, [1.0], [1.0], quantities=("fringes",)), ValueError,
     "picture"),
    (lambda m: crustex.evaluate(m, [1.0], [1.0], units="psi"), ValueError, "bar or MPa"),
    (lambda m: crustex.line_of_sight(m, [1.0], [1.0], 0, 95), ValueError, "incidence"),
    (lambda m: crustex.section(m, (0, 0), (0, 0), (0, 5), 1), ValueError, "no length"),
    (lambda m: crustex.receivers(m, split=(0, 1)), ValueError, "split"),
    (lambda m: crustex.Model.from_patches(m.patches, field=dict(x=(5, 1, 10), y=(0, 1, 10))),
     ValueError, "beyond x0"),
])
def test_bad_input_raises_the_program_message(inp, call, error, match):
    with pytest.raises(error, match=match):
        call(inp)
