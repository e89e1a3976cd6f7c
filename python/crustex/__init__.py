"""CRUSTEX on numpy arrays: elastic half-space deformation and stress change.

Read a model (work file, .inp, .fsp, .param or slip-model CSV), evaluate its
displacement, strain and stress change at any points or over its field grid,
on receiver faults, on vertical sections and along a radar's line of sight,
and fit its sources to observations, with the values crustex-batch writes.

Units: positions in km (x east, y north in the model's frame, depth down),
displacements in mm, strains and tilts in 1e-6 (microstrain, microradian),
delta CFF in the model's stress unit (1e-6 of the rigidity, bar or MPa).
Field values are float32 (as the program stores them), NaN where the program
has no value (a point on a source's edge). Quantity keys are the batch
program's: ux, uy, uz, sxx, syy, szz, sxy, syz, szx, tilt1x, tilt1y, tilt2x,
tilt2y, arealstrain, volstrain, maxshear, cmpdispl, cmpstrain, cffpara,
cffoop, los, or a group (displacement, tilt1, tilt2, principal) or an
"Execute" caption ("Displacement Z").
"""

import collections
import json
import os

import numpy as np

from . import _crustex

__all__ = ["Model", "MapFrame", "Fields", "read_model", "evaluate", "grid", "receivers",
           "section", "line_of_sight", "fit"]

_SOURCE_FIELDS = ["kind", "x0", "y0", "x1", "y1", "top", "width", "dip", "rake", "slip",
                  "opening", "px", "py", "pdepth", "piso"]
_PATCH_FIELDS = ["x0", "y0", "x1", "y1", "top", "width", "dip", "rake", "slip", "opening"]

GridNodes = collections.namedtuple("GridNodes", "x y depth inclined")


def _environment():
    """The program directory and data directory the shipped map is found from."""
    here = os.path.dirname(os.path.abspath(__file__))
    build = _crustex.build_dir
    if os.path.commonpath([here, build]) == build:
        return build, _crustex.data_dir
    # <prefix>/lib/python3/dist-packages/crustex: the programs are in <prefix>/bin.
    prefix = here.rsplit(os.sep + "lib" + os.sep, 1)[0]
    return os.path.join(prefix, "bin"), _crustex.data_dir


def _short(value):
    """A value the model holds in 32 bits as the shortest decimal that reads
    back to it (0.4, not 0.4000000059604645)."""
    return float(str(np.float32(value)))


def _threads(threads):
    return 0 if threads is None else int(threads)


def _keys(quantities):
    """A list of quantity keys from one key or several."""
    if quantities is None:
        return []
    return [quantities] if isinstance(quantities, str) else list(quantities)


class Fields(dict):
    """Arrays by quantity name; ``units`` gives each one's unit."""

    def __init__(self, values, units):
        super().__init__(values)
        self.units = dict(units)


class Grid(Fields):
    """The field grid: ``x`` and ``y`` (km, 2-D, rows along y) and each quantity."""

    def __init__(self, x, y, values, units):
        self.xnodes = np.asarray(x, dtype=np.float64)
        self.ynodes = np.asarray(y, dtype=np.float64)
        gx, gy = np.meshgrid(self.xnodes, self.ynodes)
        super().__init__({"x": gx, "y": gy, **values}, {"x": "km", "y": "km", **units})

    def to_xarray(self):
        """The grid as an xarray.Dataset (needs xarray)."""
        import xarray
        data = {k: (("y", "x"), v, {"units": self.units[k]}) for k, v in self.items()
                if k not in ("x", "y")}
        return xarray.Dataset(data, coords={"x": ("x", self.xnodes, {"units": "km"}),
                                            "y": ("y", self.ynodes, {"units": "km"})})


class MapFrame:
    """Longitude and latitude of the model's km through the program's projection
    (or the linear stretch of a .inp file's Map info)."""

    def __init__(self, native):
        self._native = native

    def to_lonlat(self, x, y):
        """(lon, lat) in degrees (float32) of x, y in km."""
        x, y = np.broadcast_arrays(np.asarray(x, np.float64), np.asarray(y, np.float64))
        lon, lat = _crustex.convert(self._native, x.ravel(), y.ravel(), True)
        return lon.reshape(x.shape), lat.reshape(x.shape)

    def to_xy(self, lon, lat):
        """(x, y) in km (float32) of lon, lat in degrees."""
        lon, lat = np.broadcast_arrays(np.asarray(lon, np.float64), np.asarray(lat, np.float64))
        x, y = _crustex.convert(self._native, lon.ravel(), lat.ravel(), False)
        return x.reshape(lon.shape), y.reshape(lon.shape)


def _records(rows, fields):
    dtype = [(f, np.float32) for f in fields]
    return np.array([tuple(r) for r in rows], dtype=dtype)


def _with_strike(table):
    """Adds strike (degrees clockwise from the model's y axis) and length (km)."""
    dx = table["x1"].astype(np.float64) - table["x0"]
    dy = table["y1"].astype(np.float64) - table["y0"]
    extra = np.empty(len(table), dtype=table.dtype.descr + [("strike", np.float64),
                                                            ("length", np.float64)])
    for name in table.dtype.names:
        extra[name] = table[name]
    extra["strike"] = np.degrees(np.arctan2(dx, dy)) % 360
    extra["length"] = np.hypot(dx, dy)
    return extra


class Model:
    """A deformation model: sources, slip-model patches, medium, field and map."""

    def __init__(self, native):
        self._native = native

    @property
    def path(self):
        """The file the model was read from ("" when built from arrays)."""
        return self._native.path

    @property
    def messages(self):
        """What the readers reported while reading the model."""
        return list(self._native.messages)

    @property
    def sources(self):
        """The source table as a structured array: kind (0 fault, 1 inflation
        point), x0, y0, x1, y1 (upper edge, km), top (km), width (km), dip,
        rake (degrees), slip and opening (mm), px, py, pdepth (km), piso
        (10^6 m^3), strike (degrees) and length (km)."""
        return _with_strike(_records(self._native.sources, _SOURCE_FIELDS))

    @property
    def patches(self):
        """The slip model's patches as a structured array: x0, y0, x1, y1 (upper
        edge, km), top (km), width (km), dip, rake (degrees), slip and opening
        (m), strike (degrees) and length (km)."""
        return _with_strike(_records(self._native.patches, _PATCH_FIELDS))

    @property
    def shear_modulus(self):
        """The rigidity (bar: 3.2e5 bar is 32 GPa)."""
        return self._native.shear_modulus

    @property
    def poisson(self):
        """Poisson's ratio."""
        return _short(self._native.poisson)

    @property
    def friction(self):
        """The effective friction coefficient of delta CFF."""
        return _short(self._native.friction)

    @property
    def stress_unit(self):
        """The unit of delta CFF by default: "1e-6" (of the rigidity), "bar" or "MPa"."""
        return self._native.stress_unit

    @property
    def grid(self):
        """The field grid's node vectors x, y (km, float32), its depth (km) and
        whether the field is inclined."""
        x, y, depth, inclined = self._native.grid
        return GridNodes(np.array(x, np.float32), np.array(y, np.float32), _short(depth),
                         inclined)

    @property
    def field(self):
        """The field as from_patches takes it: dict(x=(x0, x1, nx), y=(y0, y1, ny),
        depth=km), the corners and depth as the field dialog holds them."""
        x0, x1, nx, y0, y1, ny, depth = self._native.field
        x0, x1, y0, y1, depth = map(_short, (x0, x1, y0, y1, depth))
        return dict(x=(x0, x1, nx), y=(y0, y1, ny), depth=depth)

    @property
    def map_frame(self):
        """The MapFrame of the model, or None when its km have no degrees."""
        return MapFrame(self._native) if self._native.has_map else None

    @classmethod
    def from_patches(cls, patches, *, field, shear_modulus=3.2e5, poisson=0.25, friction=0.3):
        """A model of slip-model patches alone.

        patches: a structured array (or dict of arrays) with x0, y0, x1, y1, top,
        width (km), dip, rake (degrees), slip (m) and optionally opening (m).
        field: dict(x=(x0, x1, nx), y=(y0, y1, ny), depth=km) as the field
        dialog holds it (Model.field gives it). shear_modulus in bar."""
        missing = [f for f in _PATCH_FIELDS[:-1] if not _has(patches, f)]
        if missing:
            raise ValueError("patches need " + ", ".join(missing))
        n = len(patches["x0"])
        columns = [np.asarray(patches[f], np.float64) if _has(patches, f) else np.zeros(n)
                   for f in _PATCH_FIELDS]
        table = np.stack(columns, axis=1) if n else np.zeros((0, 10))
        (x0, x1, nx), (y0, y1, ny) = field["x"], field["y"]
        nodes = _crustex.Field(x0, x1, int(nx), y0, y1, int(ny), field.get("depth", 0.0))
        young = 2.0 * shear_modulus * (1.0 + poisson)
        return cls(_crustex.from_patches(table, nodes, poisson, young, friction,
                                         *_environment()))


def _has(table, name):
    try:
        table[name]
        return True
    except (KeyError, ValueError):
        return False


def read_model(path, sources=None, slip=None, map_dir=None):
    """Reads a model: a work file, a .inp file (the whole model in its own km),
    or a slip model alone (.fsp, .param, patch CSV). sources: a source file
    whose sources replace the model's; slip: a slip model added to it;
    map_dir: the map directory. Raises OSError when a file cannot be read
    and ValueError when the program refuses it."""
    return Model(_crustex.read_model(os.fspath(path), os.fspath(sources or ""),
                                     os.fspath(slip or ""), os.fspath(map_dir or ""),
                                     *_environment()))


def _points(x, y, depth, model):
    if depth is None:
        nodes = model.grid
        if nodes.inclined:
            raise ValueError("the model's field is inclined: give the depth")
        depth = nodes.depth
    x, y, depth = np.broadcast_arrays(np.asarray(x, np.float64), np.asarray(y, np.float64),
                                      np.asarray(depth, np.float64))
    return x, y, depth


def _evaluate(model, x, y, depth, quantities, units, threads, los=(np.nan, np.nan)):
    x, y, depth = _points(x, y, depth, model)
    shape = x.shape
    xf = x.astype(np.float32).ravel()
    yf = y.astype(np.float32).ravel()
    zf = -(depth.astype(np.float32).ravel())
    good = np.isfinite(xf) & np.isfinite(yf) & np.isfinite(zf)
    every = bool(good.all())
    if not every:
        xf, yf, zf = xf[good], yf[good], zf[good]
    values, unitnames = _crustex.evaluate(model._native, xf, yf, zf, _keys(quantities),
                                          units or "", _threads(threads), *los)
    out = {}
    for name, v in values.items():
        if not every:
            full = np.full(good.shape, np.nan, np.float32)
            full[good] = v
            v = full
        out[name] = v.reshape(shape)
    return Fields(out, unitnames)


def evaluate(model, x, y, depth=None, quantities=("ux", "uy", "uz"), units=None, threads=None):
    """The quantities at points (x, y) in km at `depth` km (a scalar or an array;
    None: the field's depth), as a Fields dict of float32 arrays of the shape
    of x (x, y and depth broadcast), NaN where there is no value (a point on a
    source's edge, or a coordinate that is not a number). Each point gets the
    values a field grid node at the same place gets, bit for bit.
    units: "bar" or "MPa" for delta CFF (None: the model's own).
    threads: worker threads (None: one per CPU the process may run on)."""
    return _evaluate(model, x, y, depth, quantities, units, threads)


def grid(model, quantities=None, units=None, threads=None):
    """The field grid as crustex-batch grid writes it: a Grid dict with x, y (km)
    and each quantity (None: the batch program's default set) as 2-D arrays
    whose rows run along y; ``to_xarray()`` gives an xarray.Dataset."""
    x, y, values, unitnames = _crustex.grid(model._native, _keys(quantities),
                                            units or "", _threads(threads))
    return Grid(x, y, values, unitnames)


def line_of_sight(model, x, y, heading, incidence, depth=None, threads=None):
    """The displacement (mm, float32) along a radar's line of sight, toward the
    satellite positive: heading in degrees clockwise from north, incidence in
    degrees from the vertical."""
    return _evaluate(model, x, y, depth, ("los",), None, threads,
                     (float(heading), float(incidence)))["los"]


def _pair(values):
    return ",".join(repr(float(v)) for v in values)


def section(model, start, end, depth_range, step, quantities=None, units=None, threads=None):
    """A vertical section from start (x, y km) to end through depth_range (top,
    bottom km) at step km along and down, as crustex-batch section writes it:
    a Fields dict with distance and depth (km, 1-D), x and y (the map position
    of each distance, km) and each quantity as 2-D arrays (rows: depths)."""
    words = ["section", "model", "-o", "section.csv", "--from", _pair(start), "--to",
             _pair(end), "--depth", _pair(depth_range), "--step", repr(float(step))]
    if quantities:
        words += ["--quantities", ",".join(_keys(quantities))]
    if units:
        words += ["--units", units]
    distance, depth, x, y, values, unitnames = _crustex.section(model._native, words,
                                                                _threads(threads))
    out = {"distance": np.array(distance), "depth": np.array(depth),
           "x": np.array(x, np.float32), "y": np.array(y, np.float32), **values}
    return Fields(out, {"distance": "km", "depth": "km", "x": "km", "y": "km", **unitnames})


def receivers(model, receivers=None, rake=None, split=(1, 1), units="bar", threads=None):
    """The stress change on receiver faults as crustex-batch receivers writes it:
    receivers is a receiver CSV file, "sources" (the model's faults) or None
    (the model's own). A dict of one entry per patch: receiver, patch, name,
    x, y, depth (km), strike, dip, rake (degrees), shear, normal and cff in
    `unit` (bar or MPa), NaN where a patch has no value."""
    words = ["receivers", "model", "-o", "receivers.csv", "--split",
             "%dx%d" % (int(split[0]), int(split[1])), "--units", units]
    if receivers is not None:
        words += ["--receivers", os.fspath(receivers)]
    if rake is not None:
        words += ["--rake", repr(float(rake))]
    return _crustex.receivers(model._native, words, _threads(threads))


def fit(model, sites, free=None, bounds=None, starts=8, invert_slip=None, two_rakes=False,
        smoothing=0):
    """Fits the model to the observations of a site file, as crustex-batch fit:
    free maps a source number (from 1) to the names of its free parameters
    ({1: ("slip", "rake")}); bounds maps (source, name) to (lower, upper).
    With invert_slip (a rake in degrees) the slip of every patch is inverted
    instead. Returns the dict of the batch program's JSON."""
    words = ["fit", "model", os.fspath(sites), "-o", "fit.json"]
    if invert_slip is not None:
        words += ["--invert-slip", repr(float(invert_slip)), "--smoothing", repr(float(smoothing))]
        if two_rakes:
            words.append("--two-rakes")
    for source, names in (free or {}).items():
        names = [names] if isinstance(names, str) else list(names)
        words += ["--free", "%d:%s" % (source, ",".join(names))]
    for (source, name), (lower, upper) in (bounds or {}).items():
        words += ["--bounds", "%d:%s=%r..%r" % (source, name, float(lower), float(upper))]
    if invert_slip is None:
        words += ["--starts", str(int(starts))]
    return json.loads(_crustex.fit(model._native, words))
