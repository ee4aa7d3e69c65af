-- What the header's participant rules read besides the registers already there: suppliers that send their
-- documents by EDI, operation types blocked per supplier, supplier qualifications and the models an operation
-- type allows.

-- "S": the supplier's documents arrive through the EDI integration, not typed by a clerk.
ALTER TABLE FORNECEDOR ADD COLUMN IDUTILEDI VARCHAR(1) DEFAULT 'N';

-- Operation types a supplier may not post under when the branch blocks operation types (PARAMDFE.IDUTBLOQOPAF),
-- unless released ('S'). Keyed by registration number: every code of the same registration shares the rule.
CREATE TABLE PARAMBLOQNFAFOR (
    NRINSJURFORN    VARCHAR(14) NOT NULL,
    CDTIPOOPER      VARCHAR(2)  NOT NULL REFERENCES TIPOOPERAC (CDTIPOOPER),
    IDENTRSAIDOP    VARCHAR(1)  NOT NULL,
    IDLIBERATPOPFOR VARCHAR(1)  DEFAULT 'N',
    PRIMARY KEY (NRINSJURFORN, CDTIPOOPER, IDENTRSAIDOP)
);

-- Qualifications granted to a supplier by a central purchasing branch; valid from DTINIVALI through DTFIMVALI,
-- an empty end leaving it open.
CREATE TABLE QUALIFFORN (
    CDFILIAL   VARCHAR(4)  NOT NULL REFERENCES FILIAL (CDFILIAL),
    CDFORNECED VARCHAR(21) NOT NULL REFERENCES FORNECEDOR (CDFORNECED),
    CDQUALIF   VARCHAR(6)  NOT NULL,
    DTINIVALI  DATE        NOT NULL,
    DTFIMVALI  DATE,
    PRIMARY KEY (CDFILIAL, CDFORNECED, CDQUALIF, DTINIVALI)
);

-- The models an operation type allows; a type without rows here allows every model.
CREATE TABLE MODDOCTIPOOPER (
    CDTIPOOPER   VARCHAR(2) NOT NULL REFERENCES TIPOOPERAC (CDTIPOOPER),
    CDMODDOCFISC VARCHAR(2) NOT NULL REFERENCES MODDOCFISC (CDMODDOCFISC),
    PRIMARY KEY (CDTIPOOPER, CDMODDOCFISC)
);
