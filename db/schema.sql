-- Embedded database schema (SQLite). Text columns carry COLLATE NOCASE so that
-- keys compare without regard to case, as on the company's SQL Server; the
-- data layer makes literals ignore trailing blanks as well.
-- Each subsystem keeps its objects in its own section below.

-- ==== core: configuration, users, error and access logs, articles ========


-- ==== rules: talonarios, lots, inputs, equivalences, stock balances ======


-- ==== lookups: lookup views and families =================================


-- ==== positions: stock movements, positions, balances, views ============


-- ==== end of schema ======================================================
